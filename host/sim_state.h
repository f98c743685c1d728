// The simulator's side of everything the module can ask or tell it: panel
// windows, key events and their handlers, module, named, token, calculator
// and aircraft variables, and the element-service calls. One store for the
// whole process, because the panel-service slots are plain functions without
// a context argument. The aircraft model extends it by setting variables and
// listening to key events through the functions below.
#pragma once

#include "sim/gauge_abi.h"
#include "sim/panel_services.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace host {

// Panel windows the module knows: 0 is the main panel window.
inline constexpr uint32_t MAIN_WINDOW = 0;
inline constexpr uint32_t FIRST_POPUP_WINDOW = 4001;
inline constexpr uint32_t LAST_POPUP_WINDOW = 4025;
bool is_panel_window(uint32_t ident);

struct KeyEvent {
    uint32_t id = 0;
    uint32_t parameter = 0;
};

struct KeyHandlerEntry {
    KeyEventHandler handler = nullptr;
    uintptr_t user_data = 0;
};

// A host-side listener (the aircraft model) sees every key event after the
// module's handlers.
using KeyListener = std::function<void(uint32_t event_id, uint32_t parameter)>;

struct ModuleVar {
    std::string name;
    void* storage = nullptr;
    uint32_t type = 0;
};

struct NamedVar {
    std::string name;
    double value = 0.0;
};

// A token's value as the host keeps it: a number (f64), for coded tokens
// such as BCD frequencies and flag words a 32-bit integer, or for text
// tokens (the NAV1 station name, 47) a text handed out by pointer.
struct TokenValue {
    bool coded = false;
    double number = 0.0;
    uint32_t code = 0;
    bool is_text = false;
    std::string text;
};

struct CalcValue {
    bool is_text = false;
    double number = 0.0;
    std::string text;
};

enum class ElementService { Query, Install, Initialize, Update, Generate, Plot, Kill };

struct ElementCall {
    ElementService service;
    ElementHeader* element = nullptr;
    uintptr_t argument = 0; // resource handle or generate phase
};

struct SimState {
    bool windows[LAST_POPUP_WINDOW - FIRST_POPUP_WINDOW + 2] = {}; // [0] main, then 4001..4025
    std::vector<uint32_t> window_toggles;                          // every toggle request, in order

    std::vector<KeyEvent> key_events; // every event sent, by the module or the script
    std::vector<KeyHandlerEntry> key_handlers;
    std::vector<KeyListener> key_listeners;
    std::deque<KeyEvent> key_queue;
    bool delivering_keys = false;

    std::vector<ModuleVar> module_vars;
    std::vector<std::string> unregistered_names;
    std::vector<NamedVar> named_vars; // id = index + 1
    std::map<uint32_t, TokenValue> tokens;
    std::map<std::string, CalcValue> calc_vars;                    // by normalised key "A:NAME"
    std::vector<std::string> units;                                // code = index + 1
    std::map<std::pair<uint32_t, uint32_t>, double> aircraft_vars; // (code, index)

    std::vector<ElementCall> element_calls;
    std::map<ElementHeader*, std::unique_ptr<ImageRecord>> installed_images;
};

SimState& sim_state();
// Back to the state of a fresh simulator (all windows closed, no variables).
void reset_sim_state();

// Windows.
bool window_visible(uint32_t ident);
bool set_window_visible(uint32_t ident, bool visible); // false for an unknown ident
// Flips the window; returns 1, or 0 (and changes nothing) for an unknown ident.
int32_t toggle_window(uint32_t ident);

// Key events: logged, then handed to every registered handler and listener.
// An event sent while events are being delivered (a handler that sends one)
// is queued and delivered after the current one, so handlers never recurse.
void send_key_event(uint32_t event_id, uint32_t parameter);
void add_key_handler(KeyEventHandler handler, uintptr_t user_data);
void remove_key_handler(KeyEventHandler handler, uintptr_t user_data);
void add_key_listener(KeyListener listener);

// Module variables. Names are matched without regard to case; registering a
// name again replaces its storage.
void register_module_var(void* storage, uint32_t type, const char* name);
void unregister_module_var(const char* name);
const ModuleVar* find_module_var(const std::string& name);
// Fills var_ptr and var_type from the registered variable, or null and 0.
void bind_module_var(ModuleVarBlock* block, const char* name);

// Named variables. Names are matched without regard to case, so "MFDx2 mode"
// finds "MFDX2 mode". Ids start at 1; find gives -1 for an unknown name;
// reading an unknown id gives 0.0 and writing one is ignored. Registering a
// known name returns its id and keeps its value.
int32_t find_named_var(const char* name);
int32_t register_named_var(const char* name);
double get_named_var(int32_t id);
void set_named_var(int32_t id, double value);
// Host side: sets by name, creating the variable as another panel would.
void set_named_var(const std::string& name, double value);

// Token variables.
void set_token(uint32_t id, double value);
void set_token_code(uint32_t id, uint32_t code);
void set_token_text(uint32_t id, const std::string& text);
void clear_token(uint32_t id);
const TokenValue* find_token(uint32_t id);
// Fills var_value (number or code), or var_ptr with the text of a text token
// (valid until the token is set again); an unknown token leaves the block as
// it is.
void read_token_var(ModuleVarBlock* block);

// Calculator variables, keyed like "A:INDICATED ALTITUDE". The name may be
// given as calculator code "(A:NAME, units)" or as "A:NAME" or "NAME" (the A:
// prefix is then assumed).
bool calc_key(const std::string& name_or_code, std::string& key);
bool set_calc_number(const std::string& name, double value);
bool set_calc_text(const std::string& name, const std::string& text);
const CalcValue* find_calc(const std::string& name);
// Evaluates "(X:NAME[, units])" (units are not converted: the table holds
// each value in the units the module asks for). Writes every result whose
// pointer is not null; text results point into the store and stay valid
// until the variable is set again. Returns 1, or 0 with the results untouched
// when the code cannot be parsed or names an unknown variable.
int32_t run_calculator(const char* code, double* f_result, int32_t* i_result, const char** s_result);

// Units by name: each name (without regard to case) gets a code from 1 on
// its first request.
int32_t units_code(const char* name);
// Aircraft variables by code and index (units are not converted).
void set_aircraft_var(uint32_t code, uint32_t index, double value);
double read_aircraft_var(uint32_t code, int32_t units, uint32_t index);

// Element services. Install gives a static image element and its children an
// image of their bitmap size when they have none; kill takes those back.
void record_element_call(ElementService service, ElementHeader* element, uintptr_t argument);

} // namespace host
