#include <iostream>

#include "cli/Command.h"

int main(int argc, char** argv) {
  kolvex::cli::Io io{std::cout, std::cerr};
  return kolvex::cli::runCli(argc, argv, io);
}
