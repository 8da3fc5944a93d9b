#include "nucleo/plataforma.h"

#include <cstdio>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#elif defined(__APPLE__)
#include <sys/sysctl.h>
#include <sys/types.h>
#include <unistd.h>
#else
#include <unistd.h>
#endif

void prepara_console() {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

clock_t relogio_cpu() {
#if defined(_WIN32)
    FILETIME criacao, saida, nucleo, usuario;
    if (!GetProcessTimes(GetCurrentProcess(), &criacao, &saida, &nucleo, &usuario)) return clock();
    ULARGE_INTEGER k, u;
    k.LowPart = nucleo.dwLowDateTime;
    k.HighPart = nucleo.dwHighDateTime;
    u.LowPart = usuario.dwLowDateTime;
    u.HighPart = usuario.dwHighDateTime;
    // FILETIME counts 100-nanosecond units.
    return static_cast<clock_t>((k.QuadPart + u.QuadPart) / (10000000ULL / CLOCKS_PER_SEC));
#else
    return clock();
#endif
}

double memoria_fisica() {
#if defined(_WIN32)
    MEMORYSTATUSEX estado;
    estado.dwLength = sizeof estado;
    return GlobalMemoryStatusEx(&estado) ? static_cast<double>(estado.ullTotalPhys) : 0.0;
#elif defined(__APPLE__)
    unsigned long long bytes = 0;
    size_t tamanho = sizeof bytes;
    int nome[2] = {CTL_HW, HW_MEMSIZE};
    return sysctl(nome, 2, &bytes, &tamanho, nullptr, 0) == 0 ? static_cast<double>(bytes) : 0.0;
#else
    long paginas = sysconf(_SC_PHYS_PAGES);
    long pagina = sysconf(_SC_PAGE_SIZE);
    return (paginas > 0 && pagina > 0) ? static_cast<double>(paginas) * pagina : 0.0;
#endif
}

bool erro_padrao_e_terminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

double segundos_decorridos(clock_t inicio, clock_t fim) {
    return static_cast<double>(fim - inicio) / CLOCKS_PER_SEC;
}

float segundos_desde(clock_t inicio) {
    return static_cast<float>(static_cast<double>(relogio_cpu() - inicio) / CLOCKS_PER_SEC);
}
