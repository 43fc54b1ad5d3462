#pragma once

#include "app/commandids.h"
#include "forms/historylist.h"
#include "platform/messages.h"

#include <QLineEdit>

#include <memory>
#include <string>

class CFieldActions;
class CFieldEditHost;
class QMenu;
struct CField;

// The masked single-line editor placed over the field that has the entry focus. It filters
// every key against the mask of the field's type, refuses typing into calculated fields until
// they are overridden and into protected fields altogether, runs the field commands of the
// Edit menu, and tells the window it sits in what happens through window messages:
// UM_MOVE_FIELD, UM_SHOW_FIELD, UM_ENTRY_ERROR (kind, CField*), UM_CANCEL_ENTRY,
// UM_GET_FIELD_REF, UM_MIRROR_TEXT (mode 2), kWmVScroll and kWmCommand for the commands it
// passes on. The value is never stored here: the owner stores it when the field is left.
class CFieldEdit : public QLineEdit, public pf::MsgTarget {
public:
    // Window messages of the classic numbering that the editor sends besides the UM_ ones.
    static constexpr unsigned kWmCommand = 0x0111; // wparam = command id
    static constexpr unsigned kWmVScroll = 0x0115; // wparam = kSbPageUp / kSbPageDown
    static constexpr pf::WPARAM kSbPageUp = 2;
    static constexpr pf::WPARAM kSbPageDown = 3;

    // Moves of UM_MOVE_FIELD.
    static constexpr pf::WPARAM kMoveNext = 0;
    static constexpr pf::WPARAM kMovePrevious = 1;
    static constexpr pf::WPARAM kMoveStay = 2;

    // Field commands, the ids of the main menu's Edit pop-up.
    enum Command : int {
        IdCut = qv::cmd::EditCut,
        IdCopy = qv::cmd::EditCopy,
        IdPaste = qv::cmd::EditPaste,
        IdUndo = qv::cmd::EditUndo,
        IdDelete = qv::cmd::EditDelete,
        IdOpenSupportingForm = qv::cmd::OpenSupportingForm,
        IdOverrideField = qv::cmd::OverrideField,
        IdClearOverride = qv::cmd::ClearOverride,
        IdMarkAsEstimate = qv::cmd::MarkAsEstimate,
        IdAddLineItemDetails = qv::cmd::AddLineItemDetails,
        IdClearEstimate = qv::cmd::ClearEstimate,
    };

    // What UM_MIRROR_TEXT carries in lparam (its address, valid during the send).
    struct MirrorText {
        int formIndex = 0;
        CField* field = nullptr;
        std::string text;
    };

    // Mode 2 reports every accepted change with UM_MIRROR_TEXT (interview pages).
    enum Mode { NormalMode = 1, MirrorMode = 2 };

    explicit CFieldEdit(QWidget* parent = nullptr);
    ~CFieldEdit() override;

    // Binds the editor to a field as it receives the entry focus: mask, type and text limit
    // of the field's type (`layoutWidth` is the text width of its box), the value as text with
    // the layout flags (MF_ of "app/money.h") and decimals of its box, the state colour, the
    // whole text selected and the modified mark cleared. A null field unbinds the editor.
    void SetUp(CField* field, int controlNumber, unsigned layoutFlags = 0, int decimals = 0,
               int layoutWidth = 0);
    // Puts a text in without any mask check, keeping the binding (the field shown again).
    void SetFieldText(const std::string& text);

    // The pieces of SetUp, for owners that decide them otherwise (interview pages).
    void SetField(CField* field, int controlNumber = 0);
    void SetMask(const std::string& mask) { m_mask = mask; }
    void SetFieldType(short type) { m_type = type; }
    void SetTextLimit(int limit) { setMaxLength(limit > 0 ? limit : 32767); }
    void SetLayoutFlags(unsigned flags) { m_layoutFlags = flags; }
    void SetDecimals(int decimals) { m_decimals = decimals; }
    void SetMode(Mode mode) { m_mode = mode; }
    // Follows the field's flags with the text colour (StateColor).
    void UpdateStateColor();

    CField* Field() const { return m_field; }
    int ControlNumber() const { return m_controlNumber; }
    const std::string& Mask() const { return m_mask; }
    short FieldType() const { return m_type; }
    unsigned LayoutFlags() const { return m_layoutFlags; }
    int Decimals() const { return m_decimals; }
    Mode EditMode() const { return m_mode; }
    std::string Text() const;
    // Set while a refused key's message is up; cleared by the next key.
    bool MessageShown() const { return m_messageShown; }

    // Where the messages go (default: the parent widget when it takes messages) and whose
    // services the editor uses (default: the message target when it is a host, else
    // CFieldEditHost::Default()).
    void SetOwner(pf::MsgTarget* owner) { m_owner = owner; }
    void SetHost(CFieldEditHost* host) { m_host = host; }
    pf::MsgTarget* Owner() const;
    CFieldEditHost& Host() const;

    // The current field reference as the owner answers UM_GET_FIELD_REF; without an answer,
    // the field's own form index, copy and field number (module 0).
    qv::FieldRef CurrentFieldRef() const;
    static pf::LRESULT PackFieldRef(const qv::FieldRef& ref);
    static qv::FieldRef UnpackFieldRef(pf::LRESULT packed);

    // Runs a field command (Command ids); false when the id is not one of them.
    bool OnCommand(int id);
    // Enable and check state of a command, by the rules of the context menu.
    bool IsCommandEnabled(int id, bool* checked = nullptr) const;
    // The context menu with its items enabled for the current field; null when this editor
    // shows none. Its actions carry the command ids as data.
    std::unique_ptr<QMenu> BuildContextMenu();

    // Asks before a calculated field is typed over (the override question); true when the
    // field may now be changed. Also used for paste.
    bool AskOverride();
    // The refusal of a protected field (the reference-only notice on forms 1040A and 1040EZ).
    void RefuseProtected();

    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Sends to the owner.
    pf::LRESULT Send(unsigned msg, pf::WPARAM wparam = 0, pf::LPARAM lparam = 0) const;
    // Mode 2: reports the text with UM_MIRROR_TEXT.
    virtual void ReportText(const std::string& text);
    // After Clear Override has given the field back to the calculation; CTaxEdit re-reads
    // the field and reports it.
    virtual void AfterClearOverride() {}
    // Whether a right click shows the Edit menu.
    virtual bool ShowsContextMenu() const;
    // A key that ends the entry was refused: beep and the message for `kind` via
    // UM_ENTRY_ERROR.
    void ReportEntryError(int kind);

private:
    enum class KeyUse { Handled, ToEdit };
    KeyUse characterKey(QKeyEvent* event);
    bool keyDown(QKeyEvent* event);
    bool editSequence(QKeyEvent* event);
    void onTextEdited();
    int checkCharacter(std::string& out, int& caret, const std::string& text) const;
    int checkNumberChar(char c, int caret, const std::string& text) const;
    int checkDatePart(int caret, const std::string& text) const;
    CFieldActions Actions() const;
    void clearOverride();
    bool textChangeAllowed();

    CField* m_field = nullptr;
    int m_controlNumber = 0;
    std::string m_mask;
    short m_type = 0;
    unsigned m_layoutFlags = 0;
    int m_decimals = 0;
    Mode m_mode = NormalMode;
    pf::MsgTarget* m_owner = nullptr;
    CFieldEditHost* m_host = nullptr;

    bool m_ignoreNextUpdate = false;
    bool m_backspacePressed = false;
    bool m_errorInKeystroke = false;
    bool m_messageShown = false;
};
