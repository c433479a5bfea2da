// The shipped skin files: they build without unknown elements or missing
// pictures, every text id has a text in every language, and no single-line
// text is clipped, at 96 and 144 DPI in English and Chinese.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFontMetrics>
#include <QRegularExpression>

#include "appearance/AboutWnd.h"
#include "appearance/MsgWnd.h"
#include "platform/Debug.h"
#include "platform/Folders.h"
#include "ui/UIlib.h"

namespace {

class SkinWnd : public ui::WindowImplBase {
public:
    explicit SkinWnd(QString file) : m_file(std::move(file)) {}
    QString GetSkinFile() const override { return m_file; }
    QString GetWindowClassName() const override { return QStringLiteral("SkinWnd"); }

private:
    QString m_file;
};

QStringList TextIdsInSkins() {
    QStringList ids;
    const QRegularExpression re(QStringLiteral("(?:textid|tooltipid|prompttextid)=\"([^\"]+)\""));
    QDirIterator it(platform::SkinFolder(), {QStringLiteral("*.xml")}, QDir::Files);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString body = QString::fromUtf8(f.readAll());
        for (auto m = re.globalMatch(body); m.hasNext();) ids << m.next().captured(1);
    }
    ids.removeDuplicates();
    return ids;
}

TEST(SkinFiles, EveryTextIdHasATextInEveryLanguage) {
    ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
    auto* rm = ui::CResourceManager::GetInstance();
    ASSERT_TRUE(rm->LoadResource(QStringLiteral("res.xml")));
    const QStringList ids = TextIdsInSkins();
    ASSERT_GT(ids.size(), 20);
    for (const QString& lang : {QStringLiteral("en"), QStringLiteral("cn")}) {
        ASSERT_TRUE(rm->LoadLanguageByName(lang));
        for (const QString& id : ids) EXPECT_TRUE(rm->HasText(id)) << lang.toStdString() << ": " << id.toStdString();
        EXPECT_TRUE(rm->HasText(QStringLiteral("software_rev_text")));
    }
    // Both tables hold the same ids.
    ASSERT_TRUE(rm->LoadLanguageByName(QStringLiteral("en")));
    const int en = rm->GetTextCount();
    ASSERT_TRUE(rm->LoadLanguageByName(QStringLiteral("cn")));
    EXPECT_EQ(rm->GetTextCount(), en);
}

struct Combo {
    const char* file;
    int dpi;
    const char* lang;
};

class SkinLayout : public ::testing::TestWithParam<Combo> {};

TEST_P(SkinLayout, BuildsCleanlyAndClipsNoText) {
    const Combo c = GetParam();
    ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
    auto* rm = ui::CResourceManager::GetInstance();
    ASSERT_TRUE(rm->LoadResource(QStringLiteral("res.xml")));
    ASSERT_TRUE(rm->LoadLanguageByName(QString::fromLatin1(c.lang)));
    QStringList lines;
    platform::SetDebugSink([&](const QString& l) { lines << l; });
    {
        SkinWnd wnd{QString::fromLatin1(c.file)};
        wnd.Create(nullptr, QStringLiteral("skin"), ui::UI_WNDSTYLE_FRAME);
        ASSERT_TRUE(wnd.SkinLoaded());
        wnd.SetDPI(c.dpi);
        if (wnd.width() < 50)
            wnd.resize(wnd.GetPaintManager().Scale(200), wnd.GetPaintManager().Scale(100));
        wnd.show();
        wnd.GetPaintManager().UpdateLayout();
        (void)wnd.grab();  // paints every control: pictures are loaded now
        ui::CPaintManagerUI& pm = wnd.GetPaintManager();
        for (ui::CControlUI* ctl : pm.GetRoot()->findChildren<ui::CControlUI*>()) {
            const QString cls = ctl->GetClass();
            if (cls != QLatin1String("LabelUI") && cls != QLatin1String("ButtonUI") && cls != QLatin1String("OptionUI") &&
                cls != QLatin1String("CheckBoxUI") && cls != QLatin1String("MenuElementUI"))
                continue;
            if (!ctl->IsVisible() || !ctl->isVisibleTo(&wnd) || ctl->GetText().isEmpty() ||
                (ctl->GetTextStyle() & Qt::TextWordWrap))
                continue;
            const ui::TMargins t = ctl->GetTextPadding();
            const int need = QFontMetrics(pm.GetFont(ctl->GetFont())).horizontalAdvance(ctl->GetText()) + t.left + t.right;
            EXPECT_LE(need, ctl->GetPos().width() + 1)
                << c.file << " " << c.dpi << " " << c.lang << ": \"" << ctl->GetText().toStdString() << "\" in "
                << ctl->GetName().toStdString();
        }
    }
    platform::SetDebugSink({});
    for (const QString& l : lines) {
        EXPECT_FALSE(l.startsWith(QLatin1String("UI:"))) << l.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinLayout,
                         ::testing::Values(Combo{"XML_MSG", 96, "en"}, Combo{"XML_MSG", 144, "cn"},
                                           Combo{"AboutWnd.xml", 96, "en"}, Combo{"AboutWnd.xml", 144, "en"},
                                           Combo{"AboutWnd.xml", 96, "cn"}, Combo{"AboutWnd.xml", 144, "cn"},
                                           Combo{"XML_GALLERY", 96, "en"}, Combo{"XML_GALLERY", 144, "en"},
                                           Combo{"XML_GALLERY", 96, "cn"}, Combo{"XML_GALLERY", 144, "cn"},
                                           Combo{"menu.xml", 96, "en"}, Combo{"menu.xml", 144, "cn"}));

}  // namespace
