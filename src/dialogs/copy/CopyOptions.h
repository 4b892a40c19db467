#pragma once

class QLayout;
class QLineEdit;
class QWidget;

// What the copy command collects before it copies the active graph: the type (1 bitmap,
// 0 metafile) and the size in device units.
struct SCopyOptions
{
    int type{1};
    int length{500};
    int height{300};
};

inline constexpr int kCopyMinSide = 100;
inline constexpr int kCopyMaxSide = 1000;

// Takes the whole number in field when it lies in minimum..maximum. Anything else is refused
// with a German message; the field then has the focus with its text selected, and false returns.
bool TakeIntegerField(QLineEdit* field, int minimum, int maximum, int& value);

// The copy wizard's pages show their picture at the left of their content.
void PlaceBesideCopyPicture(QWidget* page, QLayout* content);
