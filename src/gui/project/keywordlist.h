#pragma once

#include <QComboBox>
#include <QStringList>

namespace askbright {

// The page's keyword list: Enter adds the entry field's text (up to
// maxKeywords entries) and empties the field; Delete, Backspace and Clear
// first remove every entry equal to the field's text and then edit the field.
class KeywordList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int maxKeywords = 30;

    explicit KeywordList(QWidget *parent = nullptr);

    QStringList keywords() const;
    // The list replaced; with firstInField its first keyword stands in the
    // entry field, otherwise the field is empty.
    void setKeywords(const QStringList &keywords, bool firstInField);
    // Each keyword once, in the order of its first entry; the field keeps its text.
    void removeDuplicates();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void removeEqualTo(const QString &text);
};

} // namespace askbright
