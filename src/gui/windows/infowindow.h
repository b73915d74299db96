#pragma once

#include "app/language.h"

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

    void onCloseClicked();
    void onHomepageClicked();
    // Title, button and texts in language.
    void retranslate(Language language);

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();

    WindowContext &m_ctx;

    QLabel *m_titleLabel, *m_versionLabel, *m_moreSoftwareLabel;
    QLabel *m_donationLabel, *m_addressLabel, *m_bankLabel;
    QLabel *m_homepageLink;
    Button3D *m_closeButton;
};

} // namespace askbright
