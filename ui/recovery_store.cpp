// Names and ages of recovery copies.
#include "ui/recovery_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "kb/kbfile.h"
#include "ui/qt_text.h"

namespace veksa {

QString RecoveryStore::defaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
         QStringLiteral("/recovery");
}

QString RecoveryStore::copyPath(const QString& caption) const {
  if (caption == toQString(kNewCaption)) return folder_ + QLatin1Char('/') + caption;
  const QFileInfo file(caption);
  const QByteArray hash =
      QCryptographicHash::hash(file.absoluteFilePath().toUtf8(), QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  return folder_ + QLatin1Char('/') + file.completeBaseName() + QLatin1Char('-') +
         QString::fromLatin1(hash) + QStringLiteral(".vks");
}

std::optional<RecoveryStore::Copy> RecoveryStore::pending(const QString& caption) const {
  const QFileInfo copy(copyPath(caption));
  if (!copy.isFile()) return std::nullopt;
  const QDateTime written = copy.lastModified();
  if (caption != toQString(kNewCaption)) {
    const QFileInfo file(caption);
    if (file.exists() && file.lastModified() >= written) return std::nullopt;
  }
  return Copy{copy.filePath(), written};
}

bool RecoveryStore::write(const QString& caption, const Lines& lines, std::string& error) const {
  if (!QDir().mkpath(folder_)) {
    error = "Не удалось создать папку \"" + folder_.toStdString() + "\"";
    return false;
  }
  return saveKnowledgeBase(copyPath(caption).toStdString(), lines, error);
}

}  // namespace veksa
