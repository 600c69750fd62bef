// veksa_kbgen RULES OUT.vks OUT.answers: writes a generated knowledge base (plain UTF-8 text) and
// its answers file, for veksa-cli run and for timing by hand.
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "bench/kb_generator.h"

int main(int argc, char** argv) {
  if (argc != 4 || std::atoi(argv[1]) < 1) {
    std::cerr << "usage: veksa_kbgen RULES OUT.vks OUT.answers\n";
    return 2;
  }
  veksa::bench::GeneratedKb kb = veksa::bench::generateKnowledgeBase(std::atoi(argv[1]));
  std::ofstream vks(argv[2], std::ios::binary);
  for (const auto& line : kb.lines) vks << veksa::toUtf8(line) << "\n";
  std::ofstream(argv[3], std::ios::binary) << kb.answers;
  return vks ? 0 : 1;
}
