#pragma once
// The main editor's rules without a widget: the order's fields, what a change of each one
// recomputes and marks, which save and output buttons are enabled, and the file and output
// commands. The main window only shows what this model holds and forwards what the user does;
// tests drive the model directly.

#include "doc/Blank.h"
#include "doc/PlatRTFDoc.h"
#include "editor/Fields.h"
#include "invoice/Invoice.h"
#include "settings/Options.h"
#include "store/DataFiles.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace editor {

class TPlatEditor {
public:
    TPlatEditor();

    // The field's text, Windows-1251.
    const std::string& Text(TField field) const { return Texts[static_cast<std::size_t>(field)]; }
    // Assigns a field as typing it would: its change handler runs, and through the derived
    // fields it assigns, theirs. Setting a field to the text it already holds fires nothing.
    // Fields are single lines: a line break becomes a blank and NUL never enters.
    void SetText(TField field, std::string text);

    bool PlatModified = false;
    bool PayerModified = false;
    bool RecipientModified = false;
    bool PurposeModified = false;
    int FileVersion = 0;

    std::filesystem::path DataDir;
    char DecimalSeparator = '.';
    TOptions Options;

    // The enabled states UpdateSaveButtons last computed: save order (SpeedButton3), output
    // (SpeedButton8), save purpose (SpeedButton10).
    bool SaveEnabled() const { return SaveOn; }
    bool OutputEnabled() const { return OutputOn; }
    bool SavePurposeEnabled() const { return SavePurposeOn; }

    // Called after a field's text changed (before its handler runs), and after the enabled
    // states were recomputed; the window repaints from them.
    std::function<void(TField)> FieldChanged;
    std::function<void()> ButtonsChanged;
    // Called when an order was copied as new: what is typed next is its amount.
    std::function<void()> CopiedAsNew;

    // The dialogs the commands need: the open dialog (mode 0 orders, 1 payer requisites,
    // 2 recipient requisites, 3 purposes; the chosen name without extension, empty when
    // cancelled) and the purpose-name dialog (the full path to write, empty when cancelled).
    std::function<std::string(int mode)> SelectDataFile;
    // The journal of orders, when the window has one, in place of the open dialog of orders:
    // the order chosen (its name, as SelectDataFile gives it; empty when cancelled) and
    // whether it is to be copied as a new order rather than opened.
    struct TOrderChoice {
        std::string Name;
        bool AsNew = false;
    };
    std::function<TOrderChoice()> ChooseOrder;
    std::function<std::filesystem::path(const std::string& purpose)> AskNZNFileName;

    // The window's start: the data folder is chosen (`programDir` + "/Data" when it can be
    // used, otherwise the user's data folder; an error box when neither can), the temporary
    // copies that killed saves left there and beside the settings file over an hour ago are
    // removed, then a new order.
    void FormShow(const std::filesystem::path& programDir);

    // A text pasted into `field`: what to insert at the cursor, cleaned as invoices need it
    // (editor/Paste.h); nothing when the paste has done its work itself (an amount with its
    // kopecks pasted into the hryvnias fills both fields).
    std::optional<std::string> Paste(TField field, const std::string& text);
    // The user left the field: a date is written in the form DD.MM.YYYY ("9.12.26" becomes
    // "09.12.2026"), so that it names and sorts its file as every other one.
    void FieldLeft(TField field);

    void UpdatePlatFileName();
    void UpdatePayerFileName();
    void UpdateSumaWords();
    // The amount in words again after the settings changed the blank's language: it is
    // derived, never stored, so the order is no more changed than it was.
    void SettingsChanged();
    void UpdateNDSAmount();
    void UpdateSaveButtons();

    void NewPlat();
    void LoadPlat();
    // A new order made from the one shown: the next free number, today's date, everything
    // else as it is; nothing is written until it is saved, and it is saved as a new order.
    void CopyAsNew();
    // Loads the order file at `path` as LoadPlat loads the one chosen in the dialog (a file
    // opened from the file manager, outside the data folder maybe: it is saved into it).
    void LoadPlatFrom(const std::filesystem::path& path);
    // What a save did: wrote its file (or had nothing to write), could not for want of a
    // name, or was stopped: the order refused as the output would refuse it, or the user
    // would not have a stored file replaced.
    enum class TSaved { Written, Nameless, Stopped };
    // Each saves its file when its flag (for the order, any of the three) says so. A file
    // whose name part is empty (an order without a number, requisites without a name) is
    // not written, since it could never be chosen again: its flag stays set then. A stored
    // file this window did not load, or that changed on disk since it loaded it, is replaced
    // only after a question; an order saved under another name than it was loaded from asks
    // whether it replaces that one, and a number another order of the year already has is
    // asked about. An input/output error is thrown.
    TSaved SavePlat();
    TSaved SavePayer();
    TSaved SaveRecipient();
    void LoadPayer();
    void LoadRecipient();
    void LoadPurpose();
    void SavePurpose();
    // Asks whether to save unsaved changes, and saves after Yes. False when the command that
    // asked must not go on: the question was dismissed without Yes or No, or something
    // changed could not be saved.
    bool AskSaveChanges();

    // The commands of the buttons that do more than one operation.
    void NewOrder();  // ask about changes, then a new order
    void OpenOrder(); // ask about changes, then load an order
    // The order, the payer, the recipient, in this order; the files without a name are
    // named in one box afterwards.
    void SaveOrder();
    // Whether the window may close: asks about unsaved changes as AskSaveChanges does. An
    // error of the save after Yes is thrown, and the window stays open then too.
    bool Close();
    // What the output command and the preview share: checks the number, the date and the
    // amount (an exclamation box for the first that is wrong), composes the blank, and asks
    // whether to print what the checks of the requisites find wrong or the blank will not
    // show whole (No unless the user says Yes). Nothing when the command stops there.
    std::optional<blank::TPage> ComposeOutput();
    // The output command: ComposeOutput, then the document handed to the desktop.
    void Output();
    // The preview: ComposeOutput, then the blank shown by ShowPreview.
    void Preview();
    // No application opened the document written at `document`: the user is told where it is
    // and what to install, and asked whether to see the order of the last output in the
    // preview instead.
    void ViewerMissing(const std::filesystem::path& document);

    // Shows the preview of a blank, named by the order's file name (PlatFileName).
    std::function<void(const blank::TPage& page, const std::string& name)> ShowPreview;

    // The order's stored fields as they stand.
    store::TPlatRecord Record() const;
    // Each stored field set as typing would set it (with what follows from it).
    void SetRecord(const store::TPlatRecord& record);

    // An invoice's QR code read into the order as typing would fill it: the recipient's
    // name, code and IBAN (the bank, the MFO and the city go when the IBAN is another one,
    // and the IBAN fills them anew), the amount (emptied when the invoice leaves it to the
    // payer) and the purpose; the payer, the number and the date stay. What the status bar
    // says (Russian, Windows-1251): what was filled.
    std::string FillFromInvoice(const invoice::TPayment& payment);

    // What the checks of the requisites find in a field as it stands (Russian, Windows-1251),
    // empty when nothing: the window shows it, typing goes on whatever it says.
    std::string Problem(TField field) const;

private:
    // A stored file as this window read or wrote it last.
    struct TLoadedFile {
        std::filesystem::path Path;
        std::string Bytes;
    };
    std::optional<TLoadedFile> LoadedPlat, LoadedPayer, LoadedRecipient;
    std::filesystem::path PlatTarget() const;
    // Whether `target` may be written with `bytes`: at once when nothing else is there, after
    // the question when a file is there that this window did not load or that changed since.
    bool MayReplace(const std::filesystem::path& target, const std::string& bytes,
                    const std::optional<TLoadedFile>& loaded,
                    const std::function<std::string(const std::string&)>& describe);
    TSaved SaveParty(order::TParty party);
    TLoadedFile LoadParty(order::TParty party, const std::string& name);

    void RunHandler(TField field);
    void FillMFO(TField mfo, TField account);
    void FillBank(TField bank, TField account);
    void SetParty(order::TParty party, const store::TRequisites& requisites);
    void ClearFlags();

    // The order the output command last handed to the desktop, and its name.
    struct TShown {
        blank::TPage Page;
        std::string Name;
    };
    std::optional<TShown> LastOutput;

    std::array<std::string, FieldCount> Texts;
    bool SaveOn = false;
    bool OutputOn = false;
    bool SavePurposeOn = false;
};

} // namespace editor
