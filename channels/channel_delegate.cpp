#include "channels/channel_delegate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QStringListModel>

#include "channels/channel_cells.h"
#include "channels/channel_table_model.h"
#include "config/text_of.h"
#include "data/channel_codec.h"
#include "widgets/num_edit.h"

namespace radio {

namespace {

bool StartsTextWith(int key)
{
    return (key >= '0' && key <= '9') || key == '.';
}

int ColumnOf(const QModelIndex& index)
{
    return index.column() + 1;
}

}  // namespace

ChannelDelegate::ChannelDelegate(const RadioData* data, QObject* parent)
    : QStyledItemDelegate(parent), m_data(data), m_tones(new QStringListModel(this))
{
}

QString ChannelDelegate::Text(int n) const
{
    return UiText(*m_data, n);
}

void ChannelDelegate::Fill()
{
    const QString off = Text(text::Off);
    if (m_tones->rowCount() == 0 || off != m_toneOffText) {
        QStringList tones;
        const std::vector<std::string> list = radio::ToneList(off.toStdString());
        tones.reserve(int(list.size()));
        for (const std::string& tone : list) {
            tones.append(QString::fromStdString(tone));
        }
        m_tones->setStringList(tones);
        m_toneOffText = off;
    }
    for (int c = column::Wide; c <= column::BusyLock; ++c) {
        const OptionField option = OptionFieldOf(c);
        const QString one = Text(option.textFor1);
        const QString zero = Text(option.textFor0);
        m_options[std::size_t(c - column::Wide)] =
            option.zeroFirst ? QStringList{zero, one} : QStringList{one, zero};
    }
}

bool ChannelDelegate::IsList(const QWidget* editor) const
{
    return qobject_cast<const QComboBox*>(editor) != nullptr;
}

bool ChannelDelegate::IsToneList(const QWidget* editor) const
{
    const auto* list = qobject_cast<const QComboBox*>(editor);
    return list != nullptr && list->model() == m_tones;
}

QWidget* ChannelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                       const QModelIndex& index) const
{
    const int column = ColumnOf(index);
    if (IsFrequencyColumn(column)) {
        auto* edit = new CNumEdit(parent);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFrame(false);
        return edit;
    }
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    list->setMaxVisibleItems(16);
    if (IsToneColumn(column)) {
        list->setModel(m_tones);
        // An entry chosen with the arrows or the mouse ends what was typed.
        auto* self = const_cast<ChannelDelegate*>(this);
        connect(list, &QComboBox::activated, self, [self] { self->m_search.Start(true); });
    } else if (column >= column::Wide && column <= column::BusyLock) {
        list->addItems(m_options[std::size_t(column - column::Wide)]);
    }
    return list;
}

void ChannelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<CNumEdit*>(editor)) {
        edit->setText(text);
        return;
    }
    auto* list = static_cast<QComboBox*>(editor);
    const int item = list->findText(text, Qt::MatchStartsWith);
    if (item >= 0) {
        list->setCurrentIndex(item);
    }
}

void ChannelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const
{
    const auto* edit = qobject_cast<const CNumEdit*>(editor);
    const QString text = edit ? edit->text() : static_cast<const QComboBox*>(editor)->currentText();
    m_taken = model->setData(index, text, Qt::EditRole);
    m_refusal.clear();
    if (m_taken) {
        return;
    }
    const auto* channels = qobject_cast<const ChannelTableModel*>(model);
    const QString reason = channels ? channels->LastCommit().reason : QString();
    // Blanks alone would read as nothing at all.
    const QString shown =
        text.trimmed().isEmpty() ? QLatin1Char('"') + text + QLatin1Char('"') : text;
    m_refusal = reason.isEmpty() ? Text(text::NotAFrequency).arg(shown) : reason;
}

void ChannelDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex& /*index*/) const
{
    editor->setGeometry(option.rect);
}

void ChannelDelegate::BeginTyping(QWidget* editor, int key, bool selectAll)
{
    if (auto* edit = qobject_cast<CNumEdit*>(editor)) {
        if (key >= 32 && !NumericEntryLocked()) {
            edit->setText(StartsTextWith(key) ? QString(QChar(key)) : QStringLiteral("  "));
        }
        if (selectAll) {
            edit->selectAll();
        } else {
            edit->deselect();
            edit->setCursorPosition(int(edit->text().size()));
        }
        return;
    }
    m_search.Start(IsToneList(editor));
    if (key > 32 && !NumericEntryLocked()) {
        // The character typed on a list cell begins the choice of an entry.
        TypeIntoList(static_cast<QComboBox*>(editor), QString(QChar(key)));
    }
}

bool ChannelDelegate::Commit(QWidget* editor)
{
    if (IsToneList(editor) && m_search.Failed()) {
        emit refused(Text(text::NotATone).arg(m_search.Text()));
        return false;
    }
    m_taken = false;
    m_refusal.clear();
    emit commitData(editor);  // the view hands the editor to setModelData
    if (!m_taken) {
        emit refused(m_refusal);
        return false;
    }
    emit refusalEnded();
    return true;
}

// A key typed into a list goes to its search; an empty text is Backspace.
void ChannelDelegate::TypeIntoList(QComboBox* list, const QString& typed)
{
    const bool found = typed.isEmpty() ? m_search.Backspace(list) : m_search.Type(list, typed);
    if (m_search.Failed()) {
        emit refused(Text(text::NotATone).arg(m_search.Text()));
    } else if (found) {
        emit refusalEnded();
    }
}

bool ChannelDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor == nullptr) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Escape belongs to the editor, not to a shortcut of the window.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        // The popup of a drop list and the grid itself are part of the edit: the grid
        // commits when its current cell moves.
        QWidget* now = QApplication::focusWidget();
        QWidget* table = editor->parentWidget() ? editor->parentWidget()->parentWidget() : nullptr;
        const bool inside = now == nullptr || now == editor || editor->isAncestorOf(now) ||
                            now->window()->windowType() == Qt::Popup ||
                            (table != nullptr && (now == table || table->isAncestorOf(now)));
        if (!inside) {
            emit focusLeft(editor);
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool list = IsList(editor);
    switch (key->key()) {
    case Qt::Key_Tab:
        if (modifiers == Qt::NoModifier) {
            emit moveRequested(editor, CellMove::Next);
            return true;
        }
        break;
    case Qt::Key_Backtab: emit moveRequested(editor, CellMove::Previous); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers == Qt::NoModifier) {
            emit moveRequested(editor, CellMove::Next);
            return true;
        }
        break;
    case Qt::Key_Escape: emit escapePressed(editor); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // On a list the arrows choose the entry; in the edit box they move between rows.
        if (modifiers == Qt::NoModifier && !list) {
            emit moveRequested(editor, key->key() == Qt::Key_Up ? CellMove::Up : CellMove::Down);
            return true;
        }
        break;
    default: break;
    }
    if (!list) {
        return false;
    }
    const QString text = key->text();
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && key->key() == Qt::Key_Backspace) {
        TypeIntoList(static_cast<QComboBox*>(editor), QString());
        return true;
    }
    if (plain && !text.isEmpty() && text.front().unicode() > 32 && text.front().unicode() != 0x7f) {
        TypeIntoList(static_cast<QComboBox*>(editor), text);
        return true;
    }
    return false;
}

}  // namespace radio
