#pragma once

#include <QString>

class Prompts;
class QWidget;
struct Settings;

// The game folder without one trailing separator ('/', and on Windows also '\'). A path that is
// nothing but a separator names the root and stays as it is.
QString WithoutTrailingSeparator(const QString& path);

// Asks about each path of the options that names nothing: the game folder, its ID1 folder and
// the game executable. Yes to a question means the user wants to fix it: false, and nothing more
// is asked. Otherwise tells the user that a new query applies the changes, and gives true.
bool ConfirmOptions(const Settings& settings, Prompts& prompts, QWidget* parent);
