// veksa-cli: the headless checker and runner.
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  veksa::cli::Args args(argv + 1, argv + argc);
  return veksa::cli::runCli(args, std::cout, std::cerr);
}
