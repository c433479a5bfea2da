// The about window (skin "AboutWnd.xml"): the product and its version.
#pragma once

#include <QString>

#include "ui/UIWindow.h"

namespace appearance {

// The application's version text shown in the about window.
inline constexpr char kAppVersionText[] = "1.0.0.0";
// Window message a language change sends to open windows.
inline constexpr ui::UINT kLanguageChangedMessage = 3089;

class CAboutWnd : public ui::WindowImplBase {
public:
    explicit CAboutWnd(QString version = QString::fromLatin1(kAppVersionText));
    ~CAboutWnd() override;

    QString GetSkinFile() const override { return QStringLiteral("AboutWnd.xml"); }
    QString GetWindowClassName() const override { return QStringLiteral("AboutWnd"); }
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& handled) override;

    // Fills "software_ver_label": the text of "software_rev_text" (read
    // back through "text_test") followed by the version text.
    void UpdateVersionLine();
    QString GetVersionLine() const;

    // The open about window, if any (there is at most one).
    static CAboutWnd* Current();
    // Opens it modally over `owner` (800 x 572 at 96 DPI, centred); when
    // one is already open it is brought forward instead. Returns the close code.
    static int ShowAboutWindow(QWidget* owner,
                               const QString& version = QString::fromLatin1(kAppVersionText),
                               int dpi = 96);

private:
    QString m_version;
};

}  // namespace appearance
