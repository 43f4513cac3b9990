#include "TemplateWidgets.h"

#include "ControlTable.h"
#include "DialogUnits.h"
#include "TextControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <vector>

namespace {

// The platform draws tabs as buttons when asked; Qt needs a style sheet for that look.
const char* const ButtonTabsStyle = R"(
QTabBar::tab {
    border: 1px solid palette(dark);
    border-radius: 3px;
    background: palette(button);
    padding: 2px 10px;
    margin-right: 3px;
}
QTabBar::tab:selected {
    background: palette(midlight);
    border-color: palette(shadow);
}
QTabBar::tab:hover:!selected {
    background: palette(light);
}
)";

QLineEdit* CreateEdit(QWidget& parent, bool readOnly) {
    auto* edit = new QLineEdit(&parent);
    if (readOnly) {
        // A field that only shows sits on the window's own background, like a label.
        edit->setReadOnly(true);
        edit->setFrame(false);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QTreeWidget* CreateReportList(QWidget& parent, bool header) {
    auto* list = new QTreeWidget(&parent);
    list->setColumnCount(2);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setHeaderHidden(!header);
    list->header()->setStretchLastSection(false);
    return list;
}

QListWidget* CreateIconList(QWidget& parent) {
    auto* list = new QListWidget(&parent);
    list->setViewMode(QListView::ListMode);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QTabBar* CreateButtonTabs(QWidget& parent) {
    auto* tabs = new QTabBar(&parent);
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setStyleSheet(QString::fromLatin1(ButtonTabsStyle));
    return tabs;
}

QProgressBar* CreateProgressBar(QWidget& parent) {
    auto* bar = new QProgressBar(&parent);
    bar->setTextVisible(false);
    return bar;
}

QPushButton* CreateButton(QWidget& parent, const QString& text, bool isDefault) {
    auto* button = new QPushButton(text, &parent);
    button->setDefault(isDefault);
    return button;
}

QLabel* CreateSunkenBox(QWidget& parent) {
    auto* box = new QLabel(&parent);
    box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

QWidget* CreateControl(QWidget& parent, const ControlSpec& spec) {
    const QString text = QString::fromLatin1(spec.text);
    switch (spec.kind) {
    case ControlKind::Edit:
        return CreateEdit(parent, false);
    case ControlKind::ReadOnlyEdit:
        return CreateEdit(parent, true);
    case ControlKind::PushButton:
        return CreateButton(parent, text, false);
    case ControlKind::DefaultPushButton:
        return CreateButton(parent, text, true);
    case ControlKind::AutoCheckBox:
        return new QCheckBox(text, &parent);
    case ControlKind::Label:
    case ControlKind::CentredLabel:
    case ControlKind::PlainCentredLabel:
        return CreateStaticText(parent, spec);
    case ControlKind::GroupBox:
        return new QGroupBox(&parent);
    case ControlKind::SunkenBox:
        return CreateSunkenBox(parent);
    case ControlKind::ReportList:
        return CreateReportList(parent, true);
    case ControlKind::HeaderlessList:
        return CreateReportList(parent, false);
    case ControlKind::IconList:
        return CreateIconList(parent);
    case ControlKind::ButtonTabs:
        return CreateButtonTabs(parent);
    case ControlKind::ProgressBar:
        return CreateProgressBar(parent);
    }
    return nullptr;
}

// Screen readers and UI automation read a field by its label.
void NameFieldByItsLabel(QWidget& window, QWidget& control, const ControlSpec& spec) {
    auto* label = qobject_cast<QLabel*>(&control);
    auto* field = ControlNamed<QWidget>(window, spec.labelFor);
    label->setBuddy(field);
    field->setAccessibleName(label->text());
}

} // namespace

void CreateControls(QWidget& window, const WindowTemplate& layout, const DialogUnits& units) {
    window.setWindowTitle(QString::fromLatin1(layout.caption));
    window.setFixedSize(units.Size(layout.w, layout.h));
    std::vector<QWidget*> groupBoxes;
    std::vector<std::pair<QWidget*, const ControlSpec*>> fieldLabels;
    for (const ControlSpec& spec : layout.controls) {
        QWidget* control = CreateControl(window, spec);
        control->setObjectName(QLatin1String(spec.name));
        control->setGeometry(units.Rect(spec.x, spec.y, spec.w, spec.h));
        if (HoldsText(spec.kind))
            FitText(*control, spec, window.width(), units);
        // Each control goes under those before it, so the first in the template is on top
        // where two overlap, as in the platform's dialogs.
        control->lower();
        if (spec.kind == ControlKind::GroupBox)
            groupBoxes.push_back(control);
        if (*spec.labelFor != '\0')
            fieldLabels.emplace_back(control, &spec);
    }
    // A group box only frames the controls drawn inside it, whatever their order.
    for (QWidget* box : groupBoxes)
        box->lower();
    // A label may come before its field in the template.
    for (const auto& [label, spec] : fieldLabels)
        NameFieldByItsLabel(window, *label, *spec);
}
