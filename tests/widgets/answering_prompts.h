// Prompts that answer instead of showing a window, given to the application object
// while they live, so that they answer for every window that has none of its own.
// Each box is recorded and gets OK (or what `onBox` says), each beep is counted;
// dialogs are cancelled and file dialogs answered with Cancel.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <functional>

#include "widgets/prompts.h"

namespace radio::test {

class AnsweringPrompts : public Prompts {
public:
    AnsweringPrompts() { AttachPrompts(QCoreApplication::instance(), this); }
    ~AnsweringPrompts() override { AttachPrompts(QCoreApplication::instance(), nullptr); }
    AnsweringPrompts(const AnsweringPrompts&) = delete;
    AnsweringPrompts& operator=(const AnsweringPrompts&) = delete;

    QMessageBox::StandardButton Box(QWidget*, const BoxRequest& request) override
    {
        boxes.append(request);
        return onBox ? onBox(request) : QMessageBox::Ok;
    }
    int Modal(QDialog& dialog) override
    {
        dialog.reject();
        return dialog.result();
    }
    QString FileName(FileDialogKind, QWidget*, const QString&, const QString&) override
    {
        return QString();
    }
    void Beep() override { ++beeps; }

    QList<BoxRequest> boxes;
    int beeps = 0;
    std::function<QMessageBox::StandardButton(const BoxRequest&)> onBox;
};

}  // namespace radio::test
