#include "app/ui/file_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace vorax::app::ui {

namespace {

constexpr const char* kAllFiles = "All Files (*.*)";
constexpr const char* kMultipleFilesFilter =
    "All Files (*.*)|*.*|Data files (*.DAT, *.INI)|*.DAT;*.INI|System files (*.EXE, *.DLL)|"
    "*.EXE;*.DLL|Text files (*.DIZ, *.TXT)|*.DIZ;*.TXT|";

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Data files (*.DAT, *.INI)" -> "Data files".
QString withoutTrailingPatternList(QString description) {
  description = description.trimmed();
  if (description.endsWith(')')) {
    const qsizetype open = description.lastIndexOf('(');
    if (open >= 0) description = description.left(open).trimmed();
  }
  return description;
}

enum class SaveKind { AskBeforeReplacing, Replace };

std::string runOpen(QWidget* owner, std::string_view filter, std::string_view title,
                    std::string_view initialFolder) {
  return QFileDialog::getOpenFileName(owner, fromUtf8(title), fromUtf8(initialFolder),
                                      platformFileFilter(filter))
      .toStdString();
}

std::string runSave(QWidget* owner, std::string_view filter, std::string_view title,
                    std::string_view initialFolder, SaveKind kind) {
  const QFileDialog::Options options =
      kind == SaveKind::Replace ? QFileDialog::DontConfirmOverwrite : QFileDialog::Options();
  return QFileDialog::getSaveFileName(owner, fromUtf8(title), fromUtf8(initialFolder),
                                      platformFileFilter(filter), nullptr, options)
      .toStdString();
}

}  // namespace

QString qtFileFilter(std::string_view filter) {
  const QStringList parts = fromUtf8(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = parts[i + 1].trimmed();
    if (patterns.isEmpty()) continue;
    QString description = withoutTrailingPatternList(parts[i]);
    QStringList patternList = patterns.split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patternList) pattern = pattern.trimmed();
    filters << QString("%1 (%2)").arg(description, patternList.join(' '));
  }
  return filters.isEmpty() ? QString(kAllFiles) : filters.join(";;");
}

QString platformFileFilter(std::string_view filter) {
  QString qtFilter = qtFileFilter(filter);
#if !defined(Q_OS_WIN)
  static const QRegularExpression kEveryName(R"((?<=[( ])\*\.\*(?=[ )]))");
  qtFilter.replace(kEveryName, "*");
#endif
  return qtFilter;
}

std::string SHOWOPEN(QWidget* owner, std::string_view filter, std::string_view title,
                     std::string_view initialFolder) {
  return runOpen(owner, filter, title, initialFolder);
}

std::string SHOWSAVE(QWidget* owner, std::string_view filter, std::string_view title,
                     std::string_view initialFolder) {
  return runSave(owner, filter, title, initialFolder, SaveKind::AskBeforeReplacing);
}

std::string SHOWSAVEA(QWidget* owner, std::string_view filter, std::string_view title,
                      std::string_view initialFolder) {
  return runSave(owner, filter, title, initialFolder, SaveKind::AskBeforeReplacing);
}

std::string SHOWSAVEB(QWidget* owner, std::string_view filter, std::string_view title,
                      std::string_view initialFolder) {
  return runSave(owner, filter, title, initialFolder, SaveKind::Replace);
}

std::vector<std::string> GETMULTIPLEFILES(std::string_view initialFolder, QWidget* owner) {
  const QStringList chosen = QFileDialog::getOpenFileNames(
      owner, "Add file(s)", fromUtf8(initialFolder), platformFileFilter(kMultipleFilesFilter));
  std::vector<std::string> files;
  files.reserve(static_cast<std::size_t>(chosen.size()));
  for (const QString& file : chosen) files.push_back(file.toStdString());
  return files;
}

void SHELLTONOTEPAD(std::string_view file) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(fromUtf8(file)))) {
    QMessageBox::warning(nullptr, "Notepad not found", "Cannot Start Notepad");
  }
}

}  // namespace vorax::app::ui
