// Recovery copies of unsaved work: where the copy of a knowledge base lives and whether a copy is
// worth offering. Each knowledge base has a copy of its own in the recovery folder, named after
// its file and a hash of the file's absolute path (two files of the same name never share a
// copy); the one new knowledge base, "new.vks", has the copy "new.vks".
#ifndef VEKSA_UI_RECOVERY_STORE_H_
#define VEKSA_UI_RECOVERY_STORE_H_

#include <QDateTime>
#include <QString>
#include <optional>

#include "kb/text.h"

namespace veksa {

class RecoveryStore {
 public:
  explicit RecoveryStore(const QString& folder) : folder_(folder) {}
  // The user's data folder of the program, subfolder "recovery".
  static QString defaultFolder();

  const QString& folder() const { return folder_; }
  // The copy of the knowledge base whose caption is `caption` (a file name, or "new.vks").
  QString copyPath(const QString& caption) const;

  struct Copy {
    QString path;
    QDateTime time;  // when the copy was written
  };
  // The copy to offer for `caption`: one that exists and is newer than its file (or whose file is
  // gone), or any copy of "new.vks".
  std::optional<Copy> pending(const QString& caption) const;

  // Writes the copy atomically and durably, making the folder when needed. On failure returns
  // false with a message naming the copy.
  bool write(const QString& caption, const Lines& lines, std::string& error) const;

 private:
  QString folder_;
};

}  // namespace veksa

#endif  // VEKSA_UI_RECOVERY_STORE_H_
