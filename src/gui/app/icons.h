#pragma once
#include <QIcon>
#include <QImage>
#include <QString>

namespace corvane::gui {

// Every picture of the program, drawn here so that none comes from elsewhere.
namespace Icons {

enum class Glyph {
    Add,
    Edit,
    Delete,
    Ping,
    Stick,
    Setup,
    Help,
    About,
    Exit,
    Go,
    Up,
    Down,
    Refresh
};

QImage ApplicationImage(int size);
QIcon ApplicationIcon();
// The adapter tree's pictures, numbered as the tree uses them (0 to 4).
QIcon TreeImage(int number);
inline constexpr int kTreeImageCount = 5;
QIcon GlyphIcon(Glyph glyph);
// The wide picture at the top of the about and splash windows.
QImage Banner(int width, int height);

// Writes the application icon as an icon file; false when it cannot.
bool WriteApplicationIcon(const QString& path);

} // namespace Icons

} // namespace corvane::gui
