#pragma once

#include <span>

// The kinds of control the window templates use. A read-only edit is borderless: a field that only
// shows. Labels turn "&&" into "&" and drop a lone "&", as the platform's static texts do; a plain
// label shows its text as it stands. A label as tall as two lines or more wraps its words. A group
// box is a frame without a caption; a sunken box is an empty framed place for a picture. Report
// lists show rows and columns, with or without a header; an icon list is a list in list mode, its
// items in columns, one selected at a time. Button tabs are tabs drawn as buttons.
enum class ControlKind {
    Edit,
    ReadOnlyEdit,
    PushButton,
    DefaultPushButton,
    AutoCheckBox,
    Label,
    CentredLabel,
    PlainCentredLabel,
    GroupBox,
    SunkenBox,
    ReportList,
    HeaderlessList,
    IconList,
    ButtonTabs,
    ProgressBar,
};

inline constexpr int NoControlId = -1;

// One control of a window template, in dialog units. The name is the control's object name. A
// label that names a field says which: the field takes the label's text as its accessible name.
struct ControlSpec {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, w, h;
    const char* name;
    const char* labelFor = "";
};

struct WindowTemplate {
    const char* caption;
    int w, h;
    // In template order, which is both the tab order and the stacking order (first on top).
    std::span<const ControlSpec> controls;
};

const WindowTemplate& MainWindowTemplate();
const WindowTemplate& OptionsWindowTemplate();
const WindowTemplate& AboutWindowTemplate();
