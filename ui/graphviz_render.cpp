// Rendering through Graphviz's gvc and cgraph.
#include "ui/graphviz_render.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cstdlib>
#include <memory>

namespace veksa {

namespace {

// Graphviz's last error message (which it allocates), or `fallback` when it has none.
std::string lastError(const char* fallback) {
  char* why = aglasterr();
  std::string text = why != nullptr && *why != '\0' ? why : fallback;
  std::free(why);
  return text;
}

}  // namespace

bool renderDotAsSvg(const std::string& dot, std::string& svg, std::string& error) {
  agseterr(AGERR);  // warnings stay quiet; errors come back through aglasterr
  // One context for the program's life: Graphviz's text layout keeps its font cache across
  // contexts, and a context freed and made again leaves that cache pointing at freed names.
  static GVC_t* const context = gvContext();
  if (context == nullptr) {
    error = "Graphviz: no context";
    return false;
  }
  std::unique_ptr<Agraph_t, int (*)(Agraph_t*)> graph(agmemread(dot.c_str()), agclose);
  if (!graph) {
    error = lastError("Graphviz: the graph text cannot be read");
    return false;
  }
  if (gvLayout(context, graph.get(), "dot") != 0) {
    error = lastError("Graphviz: the graph cannot be laid out");
    return false;
  }
  char* data = nullptr;
  unsigned int length = 0;
  const int rendered = gvRenderData(context, graph.get(), "svg", &data, &length);
  if (rendered == 0 && data != nullptr) svg.assign(data, length);
  gvFreeRenderData(data);
  gvFreeLayout(context, graph.get());
  if (rendered != 0) error = "Graphviz: the graph cannot be rendered as SVG";
  return rendered == 0;
}

}  // namespace veksa
