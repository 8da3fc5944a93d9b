# R's two_opt (package TSP) from this program's nearest-neighbour tour, for
# docs/vizinhancas.md; bench/vizinhancas.py runs it.
#   Rscript bench/vizinhancas_r.R FILE.tsp OUR_NN.tour OUTDIR
# Prints: name, processor seconds per two_opt call, whether R's own nearest-neighbour
# tour from city 1 is ours, the starting and final lengths (R's doubles); writes
# OUTDIR/NAME.r2opt.tour.
suppressMessages(library(TSP))
a <- commandArgs(trailingOnly = TRUE)
nome <- sub("\\.tsp$", "", basename(a[1]))
# coordinates read here: read_TSPLIB misreads lines that start with spaces (a280)
l <- trimws(readLines(a[1]))
ini <- which(l == "NODE_COORD_SECTION") + 1
fim <- which(l == "EOF" | l == "-1")
fim <- if (length(fim)) min(fim[fim > ini]) - 1 else length(l)
campos <- strsplit(l[ini:fim][l[ini:fim] != ""], "\\s+")
xy <- t(sapply(campos, function(f) as.numeric(f[2:3])))
x <- ETSP(xy)
rnn <- as.integer(solve_TSP(x, method = "nn", control = list(start = 1)))
lt <- trimws(readLines(a[2]))
nosso <- as.integer(lt[(which(lt == "TOUR_SECTION") + 1):(which(lt == "-1") - 1)])
igual <- identical(rnn, nosso) || identical(rnn, c(nosso[1], rev(nosso[-1])))
inicio <- TOUR(nosso, tsp = x)
reps <- if (nrow(xy) > 500) 5 else 50
# processor time (user + system), as this program's times are
tempos <- system.time(for (k in 1:reps) two <- solve_TSP(x, method = "two_opt", control = list(tour = inicio)))
t <- (tempos[["user.self"]] + tempos[["sys.self"]]) / reps
writeLines(c(paste("NAME :", nome), "TYPE : TOUR", paste("DIMENSION :", length(two)),
  "TOUR_SECTION", as.integer(two), "-1", "EOF"), file.path(a[3], paste0(nome, ".r2opt.tour")))
cat(nome, sprintf("%.6f", t), igual, tour_length(inicio), tour_length(two), "\n")
