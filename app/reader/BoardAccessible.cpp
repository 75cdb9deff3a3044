// BoardAccessible: the board as assistive technology reads it, a table of 81 cells.
#include "BoardAccessible.h"

#include "words/Words.h"
#include "common/util/SystemLibrary.h"

#include <uiautomationcore.h>

namespace {

const LONG kCells = 81;

// oleacc's functions, taken from the system folder once.
template <typename Function>
Function* Oleacc(const char* name) {
    return util::SystemLibrary::FindOptional<Function>(L"oleacc.dll", name);
}

// S_FALSE with null where there is nothing to say, as clients expect of an optional text.
HRESULT Text(const wchar_t* text, BSTR* out) {
    if (text == nullptr || text[0] == L'\0') return S_FALSE;
    *out = SysAllocString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(LONG value, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT Nothing(VARIANT* out) {
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// The UI Automation notification of Windows 10 1709 and later, spoken at once by
// Narrator and NVDA; the window's own (host) provider carries it.
void Notify(HWND window, const String& sentence) {
    using HostProvider = HRESULT WINAPI(HWND, IRawElementProviderSimple**);
    using RaiseNotification =
        HRESULT WINAPI(IRawElementProviderSimple*, int kind, int processing, BSTR text, BSTR activity);
    const int kActionAborted = 3, kImportantMostRecent = 1;  // NotificationKind, NotificationProcessing
    static auto hostProvider =
        util::SystemLibrary::FindOptional<HostProvider>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    static auto raise =
        util::SystemLibrary::FindOptional<RaiseNotification>(L"uiautomationcore.dll", "UiaRaiseNotificationEvent");
    IRawElementProviderSimple* provider = nullptr;
    if (hostProvider == nullptr || raise == nullptr || FAILED(hostProvider(window, &provider))) return;
    BSTR text = SysAllocString(sentence.GetText());
    BSTR activity = SysAllocString(L"EnneoBoardAnnouncement");
    raise(provider, kActionAborted, kImportantMostRecent, text, activity);
    SysFreeString(activity);
    SysFreeString(text);
    provider->Release();
}

}  // namespace

BoardAccessible::BoardAccessible(HWND window, const BoardSnapshot& board,
                                 const BoardGeometry& geometry)
    : window_(window), board_(&board), geometry_(&geometry) {}

LRESULT BoardAccessible::Answer(WPARAM wParam) {
    static auto lresultFromObject = Oleacc<decltype(LresultFromObject)>("LresultFromObject");
    if (lresultFromObject == nullptr) return 0;
    LRESULT result = lresultFromObject(__uuidof(IAccessible), wParam, this);
    return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

void BoardAccessible::Disconnect() {
    board_ = nullptr;
    geometry_ = nullptr;
}

void BoardAccessible::RaiseEvents(HWND window, const BoardAnswer::Reader& reader, EnneoPuzzle::Cell selected) {
    LONG focus = selected.x == 0 ? CHILDID_SELF : ChildOf(selected);
    if (reader.namesChanged) {
        for (LONG child = 1; child <= kCells; ++child) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
        }
    }
    if (reader.valueChanged) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, focus);
    if (reader.focusMoved) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, focus);
        RaiseFocus(window, selected);
    }
    if (!reader.announcement.IsEmpty()) {
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, focus);
        Notify(window, Words::Say(reader.announcement));
    }
}

void BoardAccessible::RaiseFocus(HWND window, EnneoPuzzle::Cell selected) {
    if (GetFocus() != window) return;
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, selected.x == 0 ? CHILDID_SELF : ChildOf(selected));
}

HRESULT BoardAccessible::CellOf(const VARIANT& child, EnneoPuzzle::Cell& cell) const {
    if (board_ == nullptr) return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > kCells) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_FALSE;
    cell = {(child.lVal - 1) % 9 + 1, (child.lVal - 1) / 9 + 1};
    return S_OK;
}

LONG BoardAccessible::SelectedChild() const {
    EnneoPuzzle::Cell selected = board_->state.puzzle.GetSelectedCell();
    return selected.x == 0 ? CHILDID_SELF : ChildOf(selected);
}

HRESULT BoardAccessible::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG BoardAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG BoardAccessible::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT BoardAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT BoardAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT BoardAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT BoardAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// The window's own object, which the system makes.
HRESULT BoardAccessible::get_accParent(IDispatch** parent) {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (board_ == nullptr) return RPC_E_DISCONNECTED;
    static auto createStandard = Oleacc<decltype(CreateStdAccessibleObject)>("CreateStdAccessibleObject");
    if (createStandard == nullptr) return S_FALSE;
    return createStandard(window_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
}

HRESULT BoardAccessible::get_accChildCount(long* count) {
    if (count == nullptr) return E_POINTER;
    *count = kCells;
    return board_ == nullptr ? RPC_E_DISCONNECTED : S_OK;
}

// The cells are simple elements, with no object of their own.
HRESULT BoardAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    return found == S_OK ? S_FALSE : FAILED(found) ? found : E_INVALIDARG;
}

HRESULT BoardAccessible::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    if (found == S_FALSE) return Text(L"Board", name);
    if (found != S_OK) return found;
    return Text(Words::CellName(board_->state, board_->view, cell).GetText(), name);
}

HRESULT BoardAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    if (found != S_OK) return found;
    // The pause hides the digits, as it does on the screen.
    int digit = board_->view.paused ? 0 : board_->state.puzzle.GetCell(cell.x, cell.y);
    wchar_t text[2] = {static_cast<wchar_t>(L'0' + digit), L'\0'};
    return Text(digit == 0 ? nullptr : text, value);
}

HRESULT BoardAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (description == nullptr) return E_POINTER;
    *description = nullptr;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    if (FAILED(found)) return found;
    if (found == S_OK && child.lVal != SelectedChild()) return S_FALSE;
    return Text(Words::Say(board_->announcement).GetText(), description);
}

HRESULT BoardAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) return E_POINTER;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    if (FAILED(found)) return found;
    return Number(found == S_FALSE ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL, role);
}

HRESULT BoardAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) return E_POINTER;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    if (FAILED(found)) return found;
    LONG selected = SelectedChild();
    LONG focused = HasKeyboard() && selected == child.lVal ? STATE_SYSTEM_FOCUSED : 0;
    if (found == S_FALSE) return Number(STATE_SYSTEM_FOCUSABLE | focused, state);
    LONG flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | focused;
    if (selected == child.lVal) flags |= STATE_SYSTEM_SELECTED;
    if (board_->state.puzzle.GetCellState(cell.x, cell.y) == EnneoPuzzle::CELL_KNOWN) {
        flags |= STATE_SYSTEM_READONLY;
    }
    return Number(flags, state);
}

HRESULT BoardAccessible::get_accHelp(VARIANT, BSTR* help) {
    if (help == nullptr) return E_POINTER;
    *help = nullptr;
    return board_ == nullptr ? RPC_E_DISCONNECTED : S_FALSE;
}

HRESULT BoardAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file == nullptr || topic == nullptr) return E_POINTER;
    *file = nullptr;
    *topic = -1;
    return board_ == nullptr ? RPC_E_DISCONNECTED : S_FALSE;
}

HRESULT BoardAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut == nullptr) return E_POINTER;
    *shortcut = nullptr;
    return board_ == nullptr ? RPC_E_DISCONNECTED : S_FALSE;
}

// The selected cell while the window has the keyboard, else the table; nothing when the
// keyboard is elsewhere.
HRESULT BoardAccessible::get_accFocus(VARIANT* focus) {
    if (focus == nullptr) return E_POINTER;
    if (board_ == nullptr) return RPC_E_DISCONNECTED;
    if (!HasKeyboard()) return Nothing(focus);
    return Number(SelectedChild(), focus);
}

HRESULT BoardAccessible::get_accSelection(VARIANT* selection) {
    if (selection == nullptr) return E_POINTER;
    if (board_ == nullptr) return RPC_E_DISCONNECTED;
    LONG selected = SelectedChild();
    return selected == CHILDID_SELF ? Nothing(selection) : Number(selected, selection);
}

HRESULT BoardAccessible::get_accDefaultAction(VARIANT, BSTR* action) {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    return board_ == nullptr ? RPC_E_DISCONNECTED : S_FALSE;
}

// The selection moves by the keys and the mouse only.
HRESULT BoardAccessible::accSelect(long, VARIANT) {
    return board_ == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

// On the screen: a cell's square, inside the lines around it, or the client area.
HRESULT BoardAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(child, cell);
    if (FAILED(found)) return found;
    RECT area;
    GetClientRect(window_, &area);
    if (found == S_OK) {
        int size = geometry_->GetCellSize();
        area.left = geometry_->GetColumnLeft(cell.x);
        area.top = geometry_->GetRowTop(cell.y);
        area.right = area.left + size;
        area.bottom = area.top + size;
    }
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&area), 2);
    *left = area.left;
    *top = area.top;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
}

// Between the cells by rows and columns, stopping at the board's edges, and in reading
// order; from the table to its first or last cell.
HRESULT BoardAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) return E_POINTER;
    EnneoPuzzle::Cell cell;
    HRESULT found = CellOf(start, cell);
    if (FAILED(found)) return found;
    if (found == S_FALSE) {
        if (direction == NAVDIR_FIRSTCHILD) return Number(1, end);
        if (direction == NAVDIR_LASTCHILD) return Number(kCells, end);
        return Nothing(end);
    }
    int dx = 0, dy = 0, step = 0;
    switch (direction) {
    case NAVDIR_LEFT: dx = -1; break;
    case NAVDIR_RIGHT: dx = 1; break;
    case NAVDIR_UP: dy = -1; break;
    case NAVDIR_DOWN: dy = 1; break;
    case NAVDIR_PREVIOUS: step = -1; break;
    case NAVDIR_NEXT: step = 1; break;
    default: return Nothing(end);
    }
    int x = cell.x + dx, y = cell.y + dy;
    LONG next = step != 0 ? start.lVal + step : ChildOf({x, y});
    bool inside = step != 0 ? next >= 1 && next <= kCells : x >= 1 && x <= 9 && y >= 1 && y <= 9;
    return inside ? Number(next, end) : Nothing(end);
}

HRESULT BoardAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    if (board_ == nullptr) return RPC_E_DISCONNECTED;
    POINT point = {x, y};
    ScreenToClient(window_, &point);
    RECT client;
    GetClientRect(window_, &client);
    EnneoPuzzle::Cell cell;
    if (geometry_->CellAt(point.x, point.y, cell)) return Number(ChildOf(cell), child);
    if (PtInRect(&client, point)) return Number(CHILDID_SELF, child);
    return Nothing(child);
}

HRESULT BoardAccessible::accDoDefaultAction(VARIANT) {
    return board_ == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT BoardAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT BoardAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
