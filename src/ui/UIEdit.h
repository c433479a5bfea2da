// Text input: CEditUI (one line, over a QLineEdit) and CRichEditUI (several
// lines, over a QTextEdit). Both send "setfocus", "killfocus" and
// "textchanged" (user edits only); CEditUI also sends "return".
#pragma once

#include "ui/UILabel.h"

class QLineEdit;
class QTextEdit;

namespace ui {

class CEditUI : public CLabelUI {
public:
    CEditUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override { return UIFLAG_INTERACTIVE | UIFLAG_TABSTOP; }

    QString GetText() const override;
    // From code: no "textchanged".
    void SetText(const QString& text) override;
    void SetMaxChar(int max);
    int GetMaxChar() const { return m_iMaxChar; }
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetPasswordMode(bool on);
    void SetNumberOnly(bool on);
    bool IsNumberOnly() const { return m_bNumberOnly; }
    // With a range the number is kept inside it when focus leaves.
    void SetMinNumber(int v);
    void SetMaxNumber(int v);
    void SetPromptText(const QString& text);
    void SetSel(int start, int end);
    void SetSelAll();
    QLineEdit* GetLineEdit() const { return m_edit; }

    void SetEnabled(bool enable = true) override;
    void SetFocus() override;
    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(TEventUI& event) override;
    void PaintText(QPainter& p) override;
    void ReloadText() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ApplyStyle();
    void ClampNumber();

    QLineEdit* m_edit;
    int m_iMaxChar = 255;
    bool m_bReadOnly = false;
    bool m_bNumberOnly = false;
    bool m_bHasMin = false, m_bHasMax = false;
    int m_nMin = 0, m_nMax = 0;
    QString m_sPrompt;
    bool m_bPromptId = false;
    DWORD m_dwNativeBkColor = 0;
};

class CRichEditUI : public CLabelUI {
public:
    CRichEditUI();
    QString GetClass() const override;
    void* GetInterface(const QString& name) override;
    UINT GetControlFlags() const override { return UIFLAG_INTERACTIVE | UIFLAG_TABSTOP; }

    QString GetText() const override;
    void SetText(const QString& text) override;
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetLimitText(int max) { m_iLimit = std::max(0, max); }
    void AppendText(const QString& text);
    QTextEdit* GetTextEdit() const { return m_edit; }

    void SetEnabled(bool enable = true) override;
    void SetFocus() override;
    void SetPos(const QRect& rc, bool needInvalidate = true) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoEvent(TEventUI& event) override;
    void PaintText(QPainter&) override {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ApplyStyle();

    QTextEdit* m_edit;
    bool m_bReadOnly = false;
    int m_iLimit = 0;  // 0: no limit
    bool m_bSettingText = false;
};

}  // namespace ui
