#ifndef PROGRAMA_MENUS_H
#define PROGRAMA_MENUS_H

#include <cstdio>

// Returned by a menu when standard input has ended; the run then ends as with choice 0.
const int FIM_DA_ENTRADA = -1;

// Each menu prints its lines, reads one integer and returns it once it lies in
// the menu's range; anything else prints the whole menu again.
int menu_principal();        // 0 to 10
int menu_solucao_inicial();  // 1 to 5
int menu_grasp();            // 1 to 2
int menu_ag();               // 1 to 2

// The same four menus over any input stream (the procedures above read
// standard input); the menu is still printed on standard output.
enum Menu { MENU_PRINCIPAL, MENU_SOLUCAO_INICIAL, MENU_GRASP, MENU_AG };
int le_menu(Menu menu, FILE* entrada);

#endif
