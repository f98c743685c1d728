#include "data/lvar_bindings.h"

#include "data/config_line.h"
#include "platform/text_file.h"

BoundedTable<LvarBinding, 100> lvar_bindings;

namespace {

// Items end at the first ',' at position 2 or later of the text still to be
// read, so a comma in the first two characters belongs to the item.
std::vector<std::string> split_items(const std::string& line) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = line.size() - start > 2 ? line.find(',', start + 2) : std::string::npos;
        if (comma == std::string::npos) {
            items.push_back(line.substr(start));
            return items;
        }
        items.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::vector<std::string> pair_tokens(std::string item) {
    for (char& c : item)
        if (c == '=') c = ' ';
    return scan_tokens(item, 2);
}

} // namespace

bool lvar_setting_known(const std::string& setting_name) {
    static const char* const kSettings[] = {
        "MapRange",  "TcasOn",     "DisplayInts", "DisplayNavs",  "DisplayApts", "NDCompassMode",
        "NDVorMode", "NDArcMode",  "NDAppMode",   "NDMapMode",    "NDCtrMapMode", "NDPlanMode",
        "Vor1BrgPtr", "Vor2BrgPtr", "LnavOn"};
    for (const char* known : kSettings)
        if (setting_name == known) return true;
    return false;
}

bool parse_lvar_binding_line(const std::string& line) {
    std::vector<std::string> items = split_items(line);

    // Item 1: "name with blanks=code". Blanks are protected while '=' splits.
    std::string first = items[0];
    for (char& c : first)
        if (c == ' ') c = '#';
    std::size_t eq = first.find('=');
    if (eq != std::string::npos) first[eq] = ' ';
    std::vector<std::string> name_code = scan_tokens(first, 2);
    if (name_code.empty() || name_code[0].find_first_not_of('#') == std::string::npos) return false;

    LvarBinding binding;
    binding.variable_name = name_code[0];
    for (char& c : binding.variable_name)
        if (c == '#') c = ' ';
    if (name_code.size() > 1) binding.variable_code = parse_int(name_code[1]);

    // Item 2: "SettingName=value", the value truncated toward zero.
    if (items.size() > 1) {
        std::vector<std::string> t = pair_tokens(items[1]);
        if (!t.empty()) binding.setting_name = t[0];
        if (t.size() > 1) binding.setting_value = saturate_to_int(parse_double(t[1]));
    }
    // Item 3 (optional): "reset=n" or "off=n"; anything after it is ignored.
    if (items.size() > 2) {
        std::vector<std::string> t = pair_tokens(items[2]);
        if (t.size() > 0) {
            int n = t.size() > 1 ? parse_int(t[1]) : 0;
            if (equals_ignoring_case(t[0], "reset"))
                binding.reset_value = n;
            else if (equals_ignoring_case(t[0], "off"))
                binding.off_value = n;
        }
    }
    lvar_bindings.append(binding);
    return true;
}
