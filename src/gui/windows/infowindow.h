#pragma once

#include <QDialog>

class QLabel;

namespace askbright {

class Button3D;
class WindowContext;

// The info and donation window: title and version, a request for a
// voluntary donation, the maker's address and bank details and a link to
// the homepage.
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit InfoWindow(WindowContext &context, QWidget *parent = nullptr);

    void cmdinfoend_Click();
    void lblhomepage_Click();
    // The texts of the interface language.
    void sprache_me();

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    WindowContext &m_ctx;

    QLabel *Label1, *Label2, *Label3;
    QLabel *lbl1, *lbladr, *lblkn;
    QLabel *lblhomepage;
    Button3D *cmdinfoend;
};

} // namespace askbright
