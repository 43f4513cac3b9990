#include "TextControls.h"

#include "ControlTable.h"
#include "DialogUnits.h"

#include <QLabel>
#include <algorithm>

namespace {

// A static text this tall holds two lines and wraps its words, as the platform's do.
constexpr int TwoLinesInDialogUnits = 16;
// What a text that has to move left keeps between itself and the window's right edge.
constexpr int MarginInDialogUnits = 4;

// "&&" shows one ampersand; a lone "&" marks the next letter as the mnemonic and is not shown.
QString WithoutPrefixes(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && ++i == text.size())
            break;
        shown += text.at(i);
    }
    return shown;
}

} // namespace

QLabel* CreateStaticText(QWidget& parent, const ControlSpec& spec) {
    const QString text = QString::fromLatin1(spec.text);
    const bool plain = spec.kind == ControlKind::PlainCentredLabel;
    const bool centred = plain || spec.kind == ControlKind::CentredLabel;
    auto* label = new QLabel(&parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(plain ? text : WithoutPrefixes(text));
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(spec.h >= TwoLinesInDialogUnits);
    return label;
}

bool HoldsText(ControlKind kind) {
    switch (kind) {
    case ControlKind::AutoCheckBox:
    case ControlKind::Label:
    case ControlKind::CentredLabel:
    case ControlKind::PlainCentredLabel:
        return true;
    default:
        return false;
    }
}

// The templates fit their texts to a narrow font; a wider one may need more room. A line grows
// to the right, or to both sides when centred, and moves left where it would leave the window,
// keeping a small margin when there is room for one; a paragraph grows downwards.
void FitText(QWidget& control, const ControlSpec& spec, int windowWidth, const DialogUnits& units) {
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (label && label->wordWrap()) {
        control.resize(control.width(),
                       std::max(control.height(), label->heightForWidth(control.width())));
        return;
    }
    const int extra = control.sizeHint().width() - control.width();
    if (extra <= 0)
        return;
    const int width = control.width() + extra;
    const bool centred =
        spec.kind == ControlKind::CentredLabel || spec.kind == ControlKind::PlainCentredLabel;
    int x = control.x() - (centred ? extra / 2 : 0);
    const int rightMargin = std::min(units.X(MarginInDialogUnits), (windowWidth - width) / 2);
    x = std::max(0, std::min(x, windowWidth - rightMargin - width));
    control.setGeometry(x, control.y(), width, control.height());
}
