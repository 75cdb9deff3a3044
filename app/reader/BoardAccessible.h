// BoardAccessible: the board as assistive technology reads it, a table of 81 cells.
#pragma once

#include "board/BoardAnswer.h"
#include "board/BoardGeometry.h"
#include "board/BoardSnapshot.h"
#include "common/String.h"

#include <oleacc.h>

// The board window's client area for Active Accessibility, which Narrator, NVDA and
// JAWS read: a table (ROLE_SYSTEM_TABLE) whose children are the 81 cells
// (ROLE_SYSTEM_CELL), simple elements numbered 1 to 81 in reading order, row 1 first.
// A cell's name says what a sighted player sees (Words::CellName), its value is its digit
// (none while the pause hides the board), a given is read-only, and the selected cell
// is selected and, while the window has the keyboard, focused; the last command's
// announcement is the table's and the focused cell's description. Every call reads the
// window's snapshot of the board and its geometry, the ones the painter draws from, and
// nothing is copied; nothing here reaches the board controller. A reference-counted COM
// object: a client may keep it after the window is gone, so the window disconnects it
// first, and from then on every call fails with RPC_E_DISCONNECTED.
class BoardAccessible final : public IAccessible {
public:
    // board and geometry: the window's, kept up to date by it and valid until
    // Disconnect. The object starts with one reference, the window's.
    BoardAccessible(HWND window, const BoardSnapshot& board, const BoardGeometry& geometry);
    BoardAccessible(const BoardAccessible&) = delete;
    BoardAccessible& operator=(const BoardAccessible&) = delete;

    // The answer to WM_GETOBJECT for OBJID_CLIENT (LresultFromObject, with oleacc taken
    // from the system folder at run time); 0, the default answer, when it cannot be made.
    LRESULT Answer(WPARAM wParam);
    void Disconnect();

    // The child number of a cell (x, y), 1 to 81.
    static LONG ChildOf(EnneoPuzzle::Cell cell) { return (cell.y - 1) * 9 + cell.x; }
    // Tells screen readers what a command changed (the reader part of its answer), on
    // the board window whose selected cell is selected: WinEvents on the cells, and the
    // announcement also as a UI Automation notification where Windows has one (10, 1709
    // and later; looked up at run time).
    static void RaiseEvents(HWND window, const BoardAnswer::Reader& reader, EnneoPuzzle::Cell selected);
    // The focus event on the selected cell (the table when none is), while window has
    // the keyboard.
    static void RaiseFocus(HWND window, EnneoPuzzle::Cell selected);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; clients call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~BoardAccessible() = default;

    // S_OK with the cell of a child number (1 to 81), S_FALSE for the table itself
    // (CHILDID_SELF), E_INVALIDARG for anything else; RPC_E_DISCONNECTED once the
    // window is gone.
    HRESULT CellOf(const VARIANT& child, EnneoPuzzle::Cell& cell) const;
    // The child number of the selected cell, CHILDID_SELF when none is.
    LONG SelectedChild() const;
    bool HasKeyboard() const { return GetFocus() == window_; }

    LONG references_ = 1;
    HWND window_;
    const BoardSnapshot* board_;
    const BoardGeometry* geometry_;
};
