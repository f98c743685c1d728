#include "sim_state.h"

#include "aircraft_store.h"
#include "element_tree.h"
#include "host_text.h"

#include <algorithm>
#include <cctype>

namespace host {

namespace {

SimState& state_storage() {
    static SimState state;
    return state;
}

int window_slot(uint32_t ident) {
    if (ident == MAIN_WINDOW) return 0;
    if (ident >= FIRST_POPUP_WINDOW && ident <= LAST_POPUP_WINDOW)
        return static_cast<int>(ident - FIRST_POPUP_WINDOW) + 1;
    return -1;
}

// Upper case with every run of blanks made one space, so that the spellings
// the module uses for one variable meet in one key.
std::string normalise_name(const std::string& name) {
    std::string out;
    bool blank = false;
    for (char c : trim(name)) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = true;
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool has_prefix_letter(const std::string& text) {
    return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

void install_images(ElementHeader* element, int depth) {
    if (element == nullptr || depth > MAX_ELEMENT_DEPTH) return;
    SimState& s = sim_state();
    if (element->kind == ELEMENT_STATIC_IMAGE && element->image == nullptr) {
        auto image = std::make_unique<ImageRecord>();
        image->width = element->bitmap_width;
        image->height = element->bitmap_height;
        element->image = image.get();
        s.installed_images[element] = std::move(image);
    }
    for_each_child(element, [&](ElementHeader* child) { install_images(child, depth + 1); });
}

void kill_images(ElementHeader* element, int depth) {
    if (element == nullptr || depth > MAX_ELEMENT_DEPTH) return;
    SimState& s = sim_state();
    auto found = s.installed_images.find(element);
    if (found != s.installed_images.end()) {
        if (element->image == found->second.get()) element->image = nullptr;
        s.installed_images.erase(found);
    }
    for_each_child(element, [&](ElementHeader* child) { kill_images(child, depth + 1); });
}

void deliver_key_event(const KeyEvent& event) {
    SimState& s = sim_state();
    // A copy: a handler may remove itself (or others) while being called.
    std::vector<KeyHandlerEntry> handlers = s.key_handlers;
    for (const KeyHandlerEntry& entry : handlers) {
        entry.handler(event.id, event.parameter, reinterpret_cast<void*>(entry.user_data));
    }
    std::vector<KeyListener> listeners = s.key_listeners;
    for (const KeyListener& listener : listeners)
        listener(event.id, event.parameter);
}

} // namespace

bool is_panel_window(uint32_t ident) {
    return window_slot(ident) >= 0;
}

SimState& sim_state() {
    return state_storage();
}

void reset_sim_state() {
    state_storage() = SimState{};
    reset_aircraft();
}

bool window_visible(uint32_t ident) {
    int slot = window_slot(ident);
    return slot >= 0 && sim_state().windows[slot];
}

bool set_window_visible(uint32_t ident, bool visible) {
    int slot = window_slot(ident);
    if (slot < 0) return false;
    sim_state().windows[slot] = visible;
    return true;
}

int32_t toggle_window(uint32_t ident) {
    SimState& s = sim_state();
    s.window_toggles.push_back(ident);
    int slot = window_slot(ident);
    if (slot < 0) return 0;
    s.windows[slot] = !s.windows[slot];
    return 1;
}

void send_key_event(uint32_t event_id, uint32_t parameter) {
    SimState& s = sim_state();
    s.key_events.push_back({event_id, parameter});
    s.key_queue.push_back({event_id, parameter});
    if (s.delivering_keys) return;
    s.delivering_keys = true;
    while (!s.key_queue.empty()) {
        KeyEvent next = s.key_queue.front();
        s.key_queue.pop_front();
        deliver_key_event(next);
    }
    s.delivering_keys = false;
}

void add_key_handler(KeyEventHandler handler, uintptr_t user_data) {
    if (handler == nullptr) return;
    SimState& s = sim_state();
    for (const KeyHandlerEntry& e : s.key_handlers) {
        if (e.handler == handler && e.user_data == user_data) return;
    }
    s.key_handlers.push_back({handler, user_data});
}

void remove_key_handler(KeyEventHandler handler, uintptr_t user_data) {
    auto& handlers = sim_state().key_handlers;
    handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                  [&](const KeyHandlerEntry& e) {
                                      return e.handler == handler && e.user_data == user_data;
                                  }),
                   handlers.end());
}

void add_key_listener(KeyListener listener) {
    sim_state().key_listeners.push_back(std::move(listener));
}

void register_module_var(void* storage, uint32_t type, const char* name) {
    if (name == nullptr) return;
    SimState& s = sim_state();
    for (ModuleVar& v : s.module_vars) {
        if (iequals(v.name, name)) {
            v.storage = storage;
            v.type = type;
            return;
        }
    }
    s.module_vars.push_back({name, storage, type});
}

void unregister_module_var(const char* name) {
    if (name == nullptr) return;
    SimState& s = sim_state();
    s.unregistered_names.push_back(name);
    s.module_vars.erase(std::remove_if(s.module_vars.begin(), s.module_vars.end(),
                                       [&](const ModuleVar& v) { return iequals(v.name, name); }),
                        s.module_vars.end());
}

const ModuleVar* find_module_var(const std::string& name) {
    for (const ModuleVar& v : sim_state().module_vars) {
        if (iequals(v.name, name)) return &v;
    }
    return nullptr;
}

void bind_module_var(ModuleVarBlock* block, const char* name) {
    if (block == nullptr) return;
    const ModuleVar* v = name != nullptr ? find_module_var(name) : nullptr;
    block->var_ptr = v != nullptr ? v->storage : nullptr;
    block->var_type = v != nullptr ? v->type : 0;
}

int32_t find_named_var(const char* name) {
    if (name == nullptr) return -1;
    const auto& vars = sim_state().named_vars;
    for (std::size_t i = 0; i < vars.size(); ++i) {
        if (iequals(vars[i].name, name)) return static_cast<int32_t>(i + 1);
    }
    return -1;
}

int32_t register_named_var(const char* name) {
    if (name == nullptr) return -1;
    int32_t id = find_named_var(name);
    if (id > 0) return id;
    auto& vars = sim_state().named_vars;
    vars.push_back({name, 0.0});
    return static_cast<int32_t>(vars.size());
}

double get_named_var(int32_t id) {
    const auto& vars = sim_state().named_vars;
    if (id < 1 || static_cast<std::size_t>(id) > vars.size()) return 0.0;
    return vars[static_cast<std::size_t>(id - 1)].value;
}

void set_named_var(int32_t id, double value) {
    auto& vars = sim_state().named_vars;
    if (id < 1 || static_cast<std::size_t>(id) > vars.size()) return;
    vars[static_cast<std::size_t>(id - 1)].value = value;
}

void set_named_var(const std::string& name, double value) {
    set_named_var(register_named_var(name.c_str()), value);
}

void set_token(uint32_t id, double value) {
    TokenValue& t = sim_state().tokens[id];
    t = TokenValue{};
    t.number = value;
}

void set_token_code(uint32_t id, uint32_t code) {
    TokenValue& t = sim_state().tokens[id];
    t = TokenValue{};
    t.coded = true;
    t.code = code;
}

void set_token_text(uint32_t id, const std::string& text) {
    TokenValue& t = sim_state().tokens[id];
    t = TokenValue{};
    t.is_text = true;
    t.text = text;
}

void clear_token(uint32_t id) {
    sim_state().tokens.erase(id);
}

const TokenValue* find_token(uint32_t id) {
    const auto& tokens = sim_state().tokens;
    auto found = tokens.find(id);
    return found == tokens.end() ? nullptr : &found->second;
}

void read_token_var(ModuleVarBlock* block) {
    if (block == nullptr) return;
    const TokenValue* t = find_token(block->id);
    if (t == nullptr) return;
    if (t->is_text) {
        block->var_ptr = const_cast<char*>(t->text.c_str());
    } else if (t->coded) {
        // The integer stands in the first four bytes; the rest stays as given.
        block->var_value.u = t->code;
    } else {
        block->var_value.n = t->number;
    }
}

bool calc_key(const std::string& name_or_code, std::string& key) {
    std::string text = trim(name_or_code);
    if (!text.empty() && text[0] == '(') {
        std::size_t close = text.find(')');
        if (close == std::string::npos) return false;
        std::string inner = text.substr(1, close - 1);
        std::size_t colon = inner.find(':');
        if (colon == std::string::npos) return false;
        std::string prefix = trim(inner.substr(0, colon));
        if (prefix.size() != 1 || !std::isalpha(static_cast<unsigned char>(prefix[0]))) return false;
        std::string rest = inner.substr(colon + 1);
        std::string name = normalise_name(rest.substr(0, rest.find(',')));
        if (name.empty()) return false;
        key = to_upper(prefix) + ":" + name;
        return true;
    }
    if (has_prefix_letter(text)) {
        std::string name = normalise_name(text.substr(2));
        if (name.empty()) return false;
        key = to_upper(text.substr(0, 1)) + ":" + name;
        return true;
    }
    std::string name = normalise_name(text);
    if (name.empty()) return false;
    key = "A:" + name;
    return true;
}

bool set_calc_number(const std::string& name, double value) {
    std::string key;
    if (!calc_key(name, key)) return false;
    CalcValue& v = sim_state().calc_vars[key];
    v = CalcValue{};
    v.number = value;
    return true;
}

bool set_calc_text(const std::string& name, const std::string& text) {
    std::string key;
    if (!calc_key(name, key)) return false;
    CalcValue& v = sim_state().calc_vars[key];
    v = CalcValue{};
    v.is_text = true;
    v.text = text;
    return true;
}

const CalcValue* find_calc(const std::string& name) {
    std::string key;
    if (!calc_key(name, key)) return nullptr;
    const auto& vars = sim_state().calc_vars;
    auto found = vars.find(key);
    return found == vars.end() ? nullptr : &found->second;
}

int32_t run_calculator(const char* code, double* f_result, int32_t* i_result, const char** s_result) {
    // Only calculator code in parentheses is evaluated; a bare name is not code.
    if (code == nullptr || trim(code).empty() || trim(code)[0] != '(') return 0;
    const CalcValue* v = find_calc(code);
    if (v == nullptr) return 0;
    if (f_result != nullptr) *f_result = v->number;
    if (i_result != nullptr) *i_result = truncate_to_int32(v->number);
    if (s_result != nullptr) *s_result = v->text.c_str();
    return 1;
}

int32_t units_code(const char* name) {
    if (name == nullptr) return 0;
    auto& units = sim_state().units;
    std::string wanted = trim(name);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (iequals(units[i], wanted)) return static_cast<int32_t>(i + 1);
    }
    units.push_back(wanted);
    return static_cast<int32_t>(units.size());
}

void set_aircraft_var(uint32_t code, uint32_t index, double value) {
    sim_state().aircraft_vars[{code, index}] = value;
}

double read_aircraft_var(uint32_t code, int32_t /*units*/, uint32_t index) {
    const auto& vars = sim_state().aircraft_vars;
    auto found = vars.find({code, index});
    return found == vars.end() ? 0.0 : found->second;
}

void record_element_call(ElementService service, ElementHeader* element, uintptr_t argument) {
    sim_state().element_calls.push_back({service, element, argument});
    if (service == ElementService::Install) install_images(element, 0);
    if (service == ElementService::Kill) kill_images(element, 0);
}

} // namespace host
