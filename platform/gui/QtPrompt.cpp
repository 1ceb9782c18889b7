#include "platform/gui/QtPrompt.h"
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

int QtPrompt::message(const QString& text, int buttons, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (buttons & 0x70) {
    case vb::Critical: box.setIcon(QMessageBox::Critical); break;
    case vb::Question: box.setIcon(QMessageBox::Question); break;
    case vb::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case vb::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon);
    }
    struct B { const char* text; int answer; };
    std::vector<B> list;
    switch (buttons & 7) {
    case vb::OKCancel: list = {{"Aceptar", vb::OK}, {"Cancelar", vb::Cancel}}; break;
    case vb::AbortRetryIgnore: list = {{"&Anular", vb::Abort}, {"&Reintentar", vb::Retry}, {"&Omitir", vb::Ignore}}; break;
    case vb::YesNoCancel: list = {{"&Sí", vb::Yes}, {"&No", vb::No}, {"Cancelar", vb::Cancel}}; break;
    case vb::YesNo: list = {{"&Sí", vb::Yes}, {"&No", vb::No}}; break;
    case vb::RetryCancel: list = {{"&Reintentar", vb::Retry}, {"Cancelar", vb::Cancel}}; break;
    default: list = {{"Aceptar", vb::OK}};
    }
    // Default button: VB's 256/512 flags pick the second or third button.
    const int def = (buttons & 0x300) >> 8;
    std::vector<std::pair<QPushButton*, int>> made;
    for (size_t i = 0; i < list.size(); ++i) {
        QPushButton* b = box.addButton(QString::fromUtf8(list[i].text), QMessageBox::AcceptRole);
        made.emplace_back(b, list[i].answer);
        if (int(i) == def) box.setDefaultButton(b);
        if (list[i].answer == vb::Cancel || list[i].answer == defaultAnswer(buttons)) box.setEscapeButton(b);
    }
    box.exec();
    for (auto& [b, a] : made)
        if (box.clickedButton() == b) return a;
    return defaultAnswer(buttons);
}

std::optional<QString> QtPrompt::input(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString s = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return s;
}

std::optional<QString> QtPrompt::openFile(const QString& title, const QString& filter, const QString& folder) {
    // VB filters read "description|pattern"; Qt wants "description (pattern)".
    QStringList parts = filter.split(u'|');
    QStringList qtFilters;
    for (int i = 0; i + 1 < parts.size(); i += 2) qtFilters << parts[i].trimmed() + QStringLiteral(" (") + parts[i + 1].trimmed() + u')';
    const QString f = QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, qtFilters.join(QStringLiteral(";;")));
    if (f.isEmpty()) return std::nullopt;
    return f;
}
