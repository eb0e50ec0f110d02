#include "shell/recovery_offer.h"

#include <QDir>

#include "config/file_messages.h"
#include "config/recovery_copy.h"
#include "config/text_of.h"
#include "shell/main_frame.h"
#include "shell/recovery_keeper.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

QString WhenText(const QDateTime& time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void NoteUnusable(CMainFrame& frame, LeftCopy& copy)
{
    const RadioData& data = frame.Data();
    BoxRequest box;
    box.text = UiText(data, text::RecoveryUnusable)
                   .arg(WhenText(copy.content.time),
                        OpenFailureText(data.texts, QDir::toNativeSeparators(copy.slot->Path()),
                                        copy.check));
    box.caption = UiText(data, text::RecoveryCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(&frame, box);
    copy.slot->Remove();
}

}  // namespace

bool OfferLeftChanges(CMainFrame& frame, RecoveryKeeper& keeper, const QString& folder)
{
    std::vector<LeftCopy> copies = FindLeftCopies(folder);
    for (LeftCopy& copy : copies) {
        RadioData recovered;
        if (copy.Usable()) {
            copy.check = RecoveredRecord(copy.content, frame.Data(), recovered);
        }
        if (!copy.Usable()) {
            NoteUnusable(frame, copy);
            continue;
        }
        const RadioData& data = frame.Data();
        const QString file = copy.content.fileName.isEmpty()
                                 ? UiText(data, text::RecoveryNoFile)
                                 : QDir::toNativeSeparators(copy.content.fileName);
        BoxRequest box;
        box.text = UiText(data, text::RecoveryFound).arg(WhenText(copy.content.time), file);
        box.caption = UiText(data, text::RecoveryCaption);
        box.icon = QMessageBox::Question;
        box.buttons = QMessageBox::Yes | QMessageBox::Discard;
        box.defaultButton = QMessageBox::Yes;
        box.buttonTexts = {{QMessageBox::Yes, UiText(data, text::RestoreButton)}};
        if (ShowBox(&frame, box) != QMessageBox::Yes) {
            copy.slot->Remove();
            continue;  // an older copy may still be wanted
        }
        frame.Document().TakeRecovered(recovered, copy.content.fileName);
        keeper.Adopt(std::move(copy.slot), copy.content);
        return true;
    }
    return false;
}

}  // namespace radio
