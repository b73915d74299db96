#include "controls/qtdialogservice.h"

#include "controls/colorvalue.h"
#include "controls/formontop.h"
#include "fonts/fontlist.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QUrl>
#include <QVBoxLayout>

namespace askbright {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    int answer;
};

QList<ButtonAnswer> buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return {{QMessageBox::Ok, AnswerOk}, {QMessageBox::Cancel, AnswerCancel}};
    case MessageButtons::YesNoCancel:
        return {{QMessageBox::Yes, AnswerYes},
                {QMessageBox::No, AnswerNo},
                {QMessageBox::Cancel, AnswerCancel}};
    case MessageButtons::YesNo:
        return {{QMessageBox::Yes, AnswerYes}, {QMessageBox::No, AnswerNo}};
    case MessageButtons::Ok:
        break;
    }
    return {{QMessageBox::Ok, AnswerOk}};
}

// The window manager cuts a title wider than its box: the box makes room for
// the title, in the bold face of title bars, and for the bar's icon and buttons.
void makeRoomForTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 7 * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// Qt's font page inside the font dialog. Its own Return (in the lists) and
// Escape end the whole dialog, instead of hiding the page and leaving an
// empty dialog whose OK would apply a choice no longer shown.
class FontPage : public QFontDialog {
public:
    FontPage(const QFont &font, QDialog *dialog) : QFontDialog(font, dialog), m_dialog(dialog)
    {
        setWindowFlags(Qt::Widget);
        setOptions(QFontDialog::NoButtons);
        // The first line edit is the family's, its list the focus proxy.
        const QList<QLineEdit *> edits = findChildren<QLineEdit *>();
        auto *families =
            edits.isEmpty() ? nullptr : qobject_cast<QListView *>(edits.first()->focusProxy());
        if (!families)
            return;
        const auto withoutTags = [families] { offerWithoutFoundry(families); };
        connect(families->model(), &QAbstractItemModel::modelReset, this, withoutTags);
        withoutTags();
    }

protected:
    void done(int result) override { m_dialog->done(result); }

private:
    // The family list offers the names users know, without foundry tags,
    // each once. The page picks families by their row, so the rows stay and
    // a family's further rows are hidden.
    static void offerWithoutFoundry(QListView *families)
    {
        QAbstractItemModel *model = families->model();
        QStringList offered;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            const QString name = familyWithoutFoundry(index.data().toString());
            model->setData(index, name);
            families->setRowHidden(row, offered.contains(name));
            offered << name;
        }
    }

    QDialog *m_dialog;
};

} // namespace

QtDialogService::QtDialogService(QString applicationTitle)
    : m_applicationTitle(std::move(applicationTitle))
{
}

int QtDialogService::showMessage(const Message &message)
{
    const FocusReturn owner;
    QMessageBox box(owner.window());
    box.setIcon(qtIcon(message.icon));
    box.setWindowTitle(message.title.isEmpty() ? m_applicationTitle : message.title);
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    box.setText(text);
    box.setDetailedText(message.details);
    const QList<ButtonAnswer> buttons = buttonsOf(message.buttons);
    QMessageBox::StandardButtons all;
    for (const ButtonAnswer &b : buttons)
        all |= b.button;
    box.setStandardButtons(all);
    const int defaultIndex = std::clamp(message.defaultButton, 1, int(buttons.size())) - 1;
    box.setDefaultButton(buttons.at(defaultIndex).button);
    // Escape answers Cancel where there is one, else No, else OK.
    box.setEscapeButton(buttons.back().button);
    makeRoomForTitle(box);
    const auto clicked = QMessageBox::StandardButton(box.exec());
    for (const ButtonAnswer &b : buttons) {
        if (b.button == clicked)
            return b.answer;
    }
    return buttons.back().answer;
}

QStringList QtDialogService::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    static const QRegularExpression trailingGroup(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.remove(trailingGroup);
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns.trimmed());
    }
    return out;
}

std::optional<QString> QtDialogService::showFileDialog(const FileDialogRequest &request)
{
    const FocusReturn owner;
    QFileDialog dialog(owner.window(), request.title, request.initDir);
    const bool save = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !(request.flags & DialogFlags::OverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const QString selected = filters.value(request.filterIndex - 1, filters.first());
        dialog.selectNameFilter(selected);
        // A name typed without extension gets the filter's, as desktop users expect.
        static const QRegularExpression firstExtension(QStringLiteral("\\*\\.(\\w+)"));
        const auto match = firstExtension.match(selected);
        if (save && request.addExtension && match.hasMatch())
            dialog.setDefaultSuffix(match.captured(1));
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<qint32> QtDialogService::showColorDialog(qint32 initial)
{
    const FocusReturn owner;
    const QColor color = QColorDialog::getColor(colorFromBgr(initial), owner.window());
    if (!color.isValid())
        return std::nullopt;
    return bgrFromColor(color);
}

std::optional<FontChoice> QtDialogService::showFontDialog(const FontChoice &initial)
{
    QFont font(initial.name);
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    // A family that is not installed shows as the one the system draws instead.
    font.setFamily(QFontInfo(font).family());

    // Qt's font page has no colour; the field's text colour is chosen beside it.
    const FocusReturn owner;
    QDialog dialog(owner.window());
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.setWindowTitle(QCoreApplication::translate("QFontDialog", "Select Font"));
    auto *fonts = new FontPage(font, &dialog);
    // What the page shows of the start font. Left so, the start font keeps
    // its own name and size (the list may lack the family, the sizes 11.25).
    const QFont shown = fonts->currentFont();
    QColor color = colorFromBgr(initial.color);
    auto *colorButton =
        new QPushButton(QCoreApplication::translate("QColorDialog", "Select Color"), &dialog);
    colorButton->setObjectName(QStringLiteral("colorButton"));
    auto showColor = [&] {
        QPixmap swatch(16, 16);
        swatch.fill(color);
        colorButton->setIcon(QIcon(swatch));
    };
    showColor();
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor picked = QColorDialog::getColor(color, &dialog);
        if (picked.isValid()) {
            color = picked;
            showColor();
        }
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(colorButton);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(bottom);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = fonts->currentFont();
    const bool sameFamily = chosen.family() == shown.family();
    const bool sameSize = sameFamily && chosen.pointSizeF() == shown.pointSizeF();
    return FontChoice{sameFamily ? initial.name : chosen.family(),
                      sameSize ? initial.size : chosen.pointSizeF(),
                      chosen.bold(),
                      chosen.italic(),
                      chosen.underline(),
                      bgrFromColor(color)};
}

QString QtDialogService::browseForFolder(QWidget *ownerWindow, const QString &prompt)
{
    FocusReturn focusBack(ownerWindow);
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(ownerWindow, prompt));
}

QString QtDialogService::inputBox(const QString &prompt, const QString &title,
                                  const QString &defaultText)
{
    bool ok = false;
    const FocusReturn owner;
    const QString text =
        QInputDialog::getText(owner.window(), title.isEmpty() ? m_applicationTitle : title, prompt,
                              QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

bool QtDialogService::openExternal(const QString &target)
{
    const bool isUrl = target.contains(QStringLiteral("://")) ||
                       target.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
    return QDesktopServices::openUrl(isUrl ? QUrl(target) : QUrl::fromLocalFile(target));
}

} // namespace askbright
