// The program's file dialogs. Filters are written as pairs of description and patterns
// separated by "|" ("BMP Files (*.BMP)|*.BMP|PNG Files (*.PNG)|*.PNG"), patterns within a
// pair separated by ";". Every dialog returns UTF-8 full names, empty when cancelled.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace vorax::app::ui {

// "Text|*.X;*.Y|..." in Qt's form "Text (*.X *.Y);;...": each description trimmed and
// stripped of a parenthesised pattern list it already ends with, so that the patterns are
// listed once. An empty filter (or one without any pair) is "All Files (*.*)".
QString qtFileFilter(std::string_view filter);

// The filter the dialogs are given: outside Windows each pattern "*.*" becomes "*", which
// there matches every name as "*.*" does on Windows (records often have no extension).
QString platformFileFilter(std::string_view filter);

// Open an existing file.
std::string SHOWOPEN(QWidget* owner, std::string_view filter, std::string_view title,
                     std::string_view initialFolder);
// Save dialogs; SHOWSAVE and SHOWSAVEA ask before replacing an existing file, SHOWSAVEB
// does not.
std::string SHOWSAVE(QWidget* owner, std::string_view filter, std::string_view title,
                     std::string_view initialFolder);
std::string SHOWSAVEA(QWidget* owner, std::string_view filter, std::string_view title,
                      std::string_view initialFolder);
std::string SHOWSAVEB(QWidget* owner, std::string_view filter, std::string_view title,
                      std::string_view initialFolder);

// Several existing files, titled "Add file(s)"; the full names, empty when cancelled.
std::vector<std::string> GETMULTIPLEFILES(std::string_view initialFolder, QWidget* owner);

// Shows a text file in the desktop's text editor; when that cannot be started, a warning
// "Cannot Start Notepad" captioned "Notepad not found".
void SHELLTONOTEPAD(std::string_view file);

}  // namespace vorax::app::ui
