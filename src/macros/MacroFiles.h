// The macro list of a device and its macro files, as the macro editor sees
// them: one row per macro (name and identifier) and, for the selected
// macro, one step row per event (the event's styled JSON text and the text
// of its delay field). Files live in the device's user folder: the list
// file ("macro.config", some devices "brixel_macro.config") and one
// "<Guid>.mac" per macro.
#pragma once

#include "profiles/MacroEvent.h"

#include <json/json.h>

#include <QString>
#include <vector>

namespace macros {

struct MacroRow {
    QString name;  // "MacroName"
    QString guid;  // "Guid", also the macro file's base name
};

struct MacroStepRow {
    QString eventText;  // the event object as styled JSON
    QString delayText;  // the delay field
};

class MacroFiles {
public:
    static constexpr int kMaxMacros = 50;
    static constexpr int kMacroFileVersion = 64;

    // Results of RenameMacroEntry.
    enum RenameResult {
        kRenameNameInUse = 0,
        kRenameDone = 1,
        kRenameBlank = 2,
        kRenameAmpersand = 3,
        kRenameFailed = -1
    };

    void SetMacroFolder(const QString& folder);
    QString GetMacroFolder() const { return m_folder; }
    void SetListFileName(const QString& name) { m_listFileName = name; }
    QString ListFilePath() const;
    // folder + guid + ".mac"; empty for an identifier that is no plain
    // file name.
    QString MacroFilePathFor(const QString& guid) const;
    QString MacroFilePath(int index) const;

    // Reads the list file into the rows (a missing or unreadable file
    // gives no rows) and selects row 0 when there is one.
    void LoadMacroList();
    const std::vector<MacroRow>& Rows() const { return m_rows; }
    std::vector<QString> Names() const;
    int GetSelectedMacro() const { return m_selected; }
    // Selects a row (-1 for none) and loads its steps.
    void SelectMacro(int index);

    // Appends a macro ("macro_%d" when name is empty) with a new
    // identifier, writes the list and an empty macro file, and selects
    // it. Returns its index, -1 when refused (50 macros) or not written.
    int AddMacroEntry(const QString& name = QString());
    // Checks and renames; see RenameResult. A name equal to any row's
    // (the row's own included, ignoring case) is in use.
    int RenameMacroEntry(int index, const QString& name);
    // Removes the macro and its file, clears the steps and selects row 0.
    bool RemoveMacroEntry(int index);
    // After a removal: entry 0's name of the rewritten list, or empty.
    QString NameFieldText() const { return m_nameField; }

    // Rebuilds the step rows from a macro file's "Events".
    bool LoadMacroFile(const QString& path);
    // Writes the selected macro's file from its row and the step rows;
    // every delay field is normalised ("" becomes "0", "007" becomes "7").
    bool SaveMacroFile(const QString& path);
    bool SaveSelectedMacro();
    // Byte-for-byte copies of the selected macro's file.
    bool ExportMacroFile(const QString& destination) const;
    // A new entry named after the source file ("_%d" added on clashes)
    // whose macro file is a copy of the source; loaded and selected.
    // Returns the new index, -1 when refused or the source is unreadable.
    int ImportMacroFile(const QString& source);

    std::vector<MacroStepRow>& Steps() { return m_steps; }
    const std::vector<MacroStepRow>& Steps() const { return m_steps; }
    // A step row for an event: its styled text and its delay (0..65535).
    static MacroStepRow MakeStepRow(const Json::Value& event);

    // The device form of a macro's events (for the macro download).
    std::vector<profiles::MacroEventRecord> MacroEvents(int index) const;

private:
    Json::Value ReadList() const;
    bool WriteList(const Json::Value& list) const;
    QString NewGuid() const;
    int FindName(const QString& name) const;
    int AppendEntry(const QString& name);

    QString m_folder;
    QString m_listFileName = QStringLiteral("macro.config");
    std::vector<MacroRow> m_rows;
    int m_selected = -1;
    std::vector<MacroStepRow> m_steps;
    QString m_nameField;
};

}  // namespace macros
