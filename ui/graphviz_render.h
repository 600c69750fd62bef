// Graphviz's C library: lays out a graph's DOT text with dot and renders it as SVG, in memory.
#ifndef VEKSA_UI_GRAPHVIZ_RENDER_H_
#define VEKSA_UI_GRAPHVIZ_RENDER_H_

#include <string>

namespace veksa {

// Reads the DOT text with cgraph, lays it out with dot and renders SVG into `svg`. False, with
// Graphviz's reason in `error`, when the text cannot be read or laid out.
bool renderDotAsSvg(const std::string& dot, std::string& svg, std::string& error);

}  // namespace veksa

#endif  // VEKSA_UI_GRAPHVIZ_RENDER_H_
