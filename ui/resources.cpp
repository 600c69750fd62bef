// The built-in files.
#include "ui/resources.h"

#include <QFile>

// Q_INIT_RESOURCE declares the registration function in the namespace it stands in: here, the
// global one, where the resource compiler defines it.
static void registerVeksaResources() { Q_INIT_RESOURCE(veksa); }

namespace veksa {

void useResources() {
  static const bool registered = (registerVeksaResources(), true);
  (void)registered;
}

QString resourceText(const QString& path) {
  useResources();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

}  // namespace veksa
