#pragma once

#include "platform/messages.h"

#include <QComboBox>

#include <memory>
#include <string>

class CFieldActions;
class CFieldEditHost;
class QMenu;
struct CField;

// The drop-down list placed over a choice field that has the entry focus. It lists the
// field's choices, refuses changes to calculated fields until they are overridden and to
// protected fields, and moves between fields through the same messages as CFieldEdit. The
// choice is stored by the owner when the field is left (qv::StoreChoiceText on Text()).
class CFieldCombo : public QComboBox, public pf::MsgTarget {
public:
    explicit CFieldCombo(QWidget* parent = nullptr);
    ~CFieldCombo() override;

    // Fills the list with the field's choices and selects its current one; null unbinds.
    void SetUp(CField* field, int controlNumber);
    CField* Field() const { return m_field; }
    int ControlNumber() const { return m_controlNumber; }
    // The shown text, looked up in the list when the choice is stored.
    std::string Text() const;
    // Whether the user changed the choice since SetUp.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    void SetOwner(pf::MsgTarget* owner) { m_owner = owner; }
    void SetHost(CFieldEditHost* host) { m_host = host; }
    pf::MsgTarget* Owner() const;
    CFieldEditHost& Host() const;

    // Field commands, the ids of CFieldEdit::Command; false when the id is not one of them.
    bool OnCommand(int id);
    bool IsCommandEnabled(int id, bool* checked = nullptr) const;
    std::unique_ptr<QMenu> BuildContextMenu();

    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showPopup() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CFieldActions Actions() const;
    bool changeAllowed();
    int formIndex() const;

    CField* m_field = nullptr;
    int m_controlNumber = 0;
    bool m_modified = false;
    bool m_filling = false;
    pf::MsgTarget* m_owner = nullptr;
    CFieldEditHost* m_host = nullptr;
};
