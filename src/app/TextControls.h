#pragma once

class DialogUnits;
class QLabel;
class QWidget;
enum class ControlKind;
struct ControlSpec;

// A static text of the template: labels turn "&&" into "&" and drop a lone "&"; plain labels show
// their text as it stands; a label as tall as two lines or more wraps its words.
QLabel* CreateStaticText(QWidget& parent, const ControlSpec& spec);

// Labels and check boxes: the controls whose text sets the room they need.
bool HoldsText(ControlKind kind);

// Gives a control of text the room its text needs, inside a window windowWidth pixels wide.
void FitText(QWidget& control, const ControlSpec& spec, int windowWidth, const DialogUnits& units);
