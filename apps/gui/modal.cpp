#include "apps/gui/modal.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kestrun::gui {

namespace {
modal_watcher& watcher()
{
    static modal_watcher w;
    return w;
}
} // namespace

QString qs(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

modal_watcher set_modal_watcher(modal_watcher w)
{
    auto previous = std::move(watcher());
    watcher() = std::move(w);
    return previous;
}

int exec_modal(QDialog& window)
{
    if (watcher()) {
        // A copy: the watcher may replace itself while it acts.
        QTimer::singleShot(0, &window, [&window, w = watcher()] { w(window); });
    }
    return window.exec();
}

vcl::TApplication::answerer message_box_answerer()
{
    return [](std::string_view text, std::string_view caption, int flags) {
        // The blank-paper prompt's second line follows a line feed and a carriage return; the
        // carriage return would show as a box.
        std::string shown;
        for (char c : text)
            if (c != '\r')
                shown += c;
        const bool exclamation = (flags & 0xF0) == vcl::MB_ICONEXCLAMATION;
        QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, qs(caption),
                        qs(shown), QMessageBox::NoButton, QApplication::activeWindow());
        auto* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        if ((flags & 0x0F) == vcl::MB_OKCANCEL)
            box.setEscapeButton(box.addButton(QStringLiteral("Anuluj"), QMessageBox::RejectRole));
        exec_modal(box);
        return box.clickedButton() == ok ? static_cast<int>(vcl::IDOK)
                                         : static_cast<int>(vcl::IDCANCEL);
    };
}

std::optional<int> choose_from_list(const std::string& title, const std::string& label,
                                    const std::vector<std::string>& names, int current)
{
    QDialog window(QApplication::activeWindow());
    window.setWindowTitle(qs(title));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(qs(label), &window));
    auto* list = new QListWidget(&window);
    list->setObjectName(QStringLiteral("choices"));
    for (const auto& name : names)
        list->addItem(qs(name));
    if (current >= 0 && current < list->count())
        list->setCurrentRow(current);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &window, &QDialog::accept);
    if (exec_modal(window) != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

std::optional<int> choose_printer(const std::vector<std::string>& names, int current)
{
    return choose_from_list("Ustawienia drukarki", "Drukarka:", names, current);
}

} // namespace kestrun::gui
