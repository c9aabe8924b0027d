#include "apps/gui/dialog_window.h"

#include "apps/gui/modal.h"
#include "platform/vcl/application.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace kestrun::gui {

namespace {

// The toolkit's named colours the dialogs use.
QColor colour_of(const std::string& name)
{
    if (name == "clInfoBk")
        return {255, 255, 225};
    if (name == "clBlack")
        return Qt::black;
    return {240, 240, 240}; // clBtnFace
}

void fill(QWidget& widget, const std::string& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour_of(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// A caption wider than its button at the dialog's font is drawn a pixel or two smaller, as
// far as it stays readable, rather than cut.
void fit_caption(QPushButton& button, int width)
{
    QFont font = button.parentWidget()->font();
    QString shown = button.text();
    shown.remove(QLatin1Char('&'));
    constexpr int margin = 10; // the button's frame and the space inside it
    while (font.pixelSize() > 10 && QFontMetrics(font).horizontalAdvance(shown) + margin > width)
        font.setPixelSize(font.pixelSize() - 1);
    button.setFont(font);
}

} // namespace

dialog_window::dialog_window(print_dialog& model, preview_request preview)
    : QDialog(QApplication::activeWindow()), m_model(model), m_preview(std::move(preview))
{
    setObjectName(qs(model.Name()));
    // The dialogs were laid out for an 8-point sans serif at 120 dpi: 13 pixels.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    setFont(font);
    fill(*this, model.Color);
    for (int i = 0; i < model.ControlCount(); ++i)
        build(*model.Controls(i), this);
    refresh();
}

QWidget* dialog_window::widget_of(const vcl::TControl& control) const
{
    const auto found = m_widgets.find(&control);
    return found == m_widgets.end() ? nullptr : found->second;
}

void dialog_window::build(vcl::TControl& control, QWidget* parent)
{
    QWidget* widget = nullptr;
    if (auto* box = dynamic_cast<vcl::TCheckBox*>(&control)) {
        auto* check = new QCheckBox(parent);
        QObject::connect(check, &QCheckBox::clicked, this,
                         [this, box] { raise_event([box] { box->Click(); }); });
        if (box->Parent() == m_model.g_str && m_preview) {
            // A right click on a page box shows its page.
            check->setContextMenuPolicy(Qt::CustomContextMenu);
            QObject::connect(check, &QWidget::customContextMenuRequested, this,
                             [this, box] { m_preview(this, *box); });
        }
        widget = check;
    } else if (auto* button = dynamic_cast<vcl::TButton*>(&control)) {
        auto* push = new QPushButton(parent);
        push->setDefault(button->Default);
        push->setAutoDefault(false);
        QObject::connect(push, &QPushButton::clicked, this,
                         [this, button] { raise_event([button] { button->Click(); }); });
        widget = push;
    } else if (dynamic_cast<vcl::TGroupBox*>(&control)) {
        widget = new QGroupBox(parent);
    } else if (auto* panel = dynamic_cast<vcl::TPanel*>(&control)) {
        auto* frame = new QFrame(parent);
        fill(*frame, panel->Color);
        widget = frame;
    } else if (auto* label = dynamic_cast<vcl::TLabel*>(&control)) {
        auto* text = new QLabel(parent);
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(label->WordWrap);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = text;
    } else {
        widget = new QWidget(parent); // a frame: only a place for its controls
    }
    widget->setObjectName(qs(control.Name()));
    m_widgets[&control] = widget;

    if (auto* menu = control.PopupMenu) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(widget, &QWidget::customContextMenuRequested, this,
                         [this, menu, widget](const QPoint& at) {
                             QMenu shown(this);
                             for (auto* item : menu->Items)
                                 QObject::connect(
                                     shown.addAction(qs(item->Caption)), &QAction::triggered, this,
                                     [this, item] { raise_event([item] { item->Click(); }); });
                             shown.exec(widget->mapToGlobal(at));
                         });
    }
    for (int i = 0; i < control.ControlCount(); ++i)
        build(*control.Controls(i), widget);
}

void dialog_window::refresh()
{
    setWindowTitle(qs(m_model.Caption));
    setFixedSize(m_model.Width, m_model.Height);
    for (const auto& [control, widget] : m_widgets) {
        const QSignalBlocker quiet(widget);
        widget->setGeometry(control->Left, control->Top, control->Width, control->Height);
        widget->setVisible(control->Visible);
        widget->setEnabled(control->Enabled);
        const auto caption = qs(control->Caption);
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setText(caption);
            check->setChecked(static_cast<const vcl::TCheckBox*>(control)->Checked);
        } else if (auto* push = qobject_cast<QPushButton*>(widget)) {
            push->setText(caption);
            fit_caption(*push, control->Width);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            group->setTitle(caption);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(caption);
        }
    }
}

void dialog_window::raise_event(const std::function<void()>& event)
{
    if (m_failure)
        return;
    try {
        event();
    } catch (...) {
        m_failure = std::current_exception();
        reject();
        return;
    }
    refresh();
    if (m_model.ModalResult != vcl::mrNone)
        done(m_model.ModalResult == vcl::mrOk ? Accepted : Rejected);
}

vcl::TApplication::modal_user window_user(preview_request preview)
{
    return [preview = std::move(preview)](vcl::TForm& form) {
        auto& model = dynamic_cast<print_dialog&>(form);
        dialog_window window(model, preview);
        exec_modal(window);
        if (window.failure())
            std::rethrow_exception(window.failure());
    };
}

} // namespace kestrun::gui
