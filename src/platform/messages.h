#pragma once

#include "platform/pfexport.h"

#include <cstdint>

class QObject;

namespace pf {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// The program's private window messages; the numbers are part of the design and kept.
enum Msg : unsigned {
    UM_MOVE_FIELD = 0x800,
    UM_SHOW_FIELD = 0x801,
    UM_ENTRY_ERROR = 0x802,
    UM_CANCEL_ENTRY = 0x803,
    UM_COMMIT_FIELD = 0x809, // answer 0 = refused
    UM_GET_FIELD_REF = 0x80A,
    UM_VALUE_STORED = 0x80B,
    UM_GET_MODULE = 0x80C,
    UM_FIELD_STATUS = 0x810,
    UM_FRAME_SIZING = 0x811,
    UM_MIRROR_TEXT = 0x812,
    UM_GOTO_FIELD = 0x813,
    UM_PAINT_PAGE = 0x814,
    UM_SET_CAPTION = 0x81C,
    UM_STATE_PROMPT = 0x821,
    UM_CLOSE_PAGE = 0x822,
    UM_PAGE_COMMAND = 0x823,
    UM_SET_EDIT_TEXT = 0x824,
    UM_LINK_CLICKED = 0x825,
    UM_QUESTION_SHOWN = 0x827,
    UM_GET_FIELD_WIDTH = 0x828,
    UM_OFFER_IMPORT = 0x82B,
    UM_OFFER_STATE = 0x82C,
    UM_RETURN_OPENED = 0x82D,
    UM_OPENING_NOTICE = 0x830,
};

// A window or object that takes window messages. sendMessage calls onMessage at once;
// postMessage queues it on the event loop and drops it if the target is gone by then.
class PF_EXPORT MsgTarget {
public:
    MsgTarget();
    virtual ~MsgTarget();
    MsgTarget(const MsgTarget&) = delete;
    MsgTarget& operator=(const MsgTarget&) = delete;

    virtual LRESULT onMessage(unsigned msg, WPARAM wparam, LPARAM lparam) = 0;

private:
    friend PF_EXPORT void postMessage(MsgTarget*, unsigned, WPARAM, LPARAM);
    QObject* m_receiver;
};

PF_EXPORT LRESULT sendMessage(MsgTarget* target, unsigned msg, WPARAM wparam = 0,
                              LPARAM lparam = 0);
PF_EXPORT void postMessage(MsgTarget* target, unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);

} // namespace pf
