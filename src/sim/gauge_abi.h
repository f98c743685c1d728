// Records of the simulator's 2004 gauge interface, as the module fills and reads
// them. Written from the documented layouts: pointer fields are real pointers,
// so the records are right on both builds; on the 32-bit Windows build the
// static_asserts at the end pin every documented offset and size.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define ORVEX_FSAPI __stdcall
#define ORVEX_ABI32 1
#else
#define ORVEX_FSAPI
#define ORVEX_ABI32 0
#endif

// Service codes of a gauge callback.
enum GaugeService : uint32_t {
    PANEL_SERVICE_PRE_INSTALL = 2,
    PANEL_SERVICE_POST_INSTALL = 3,
    PANEL_SERVICE_PRE_INITIALIZE = 4,
    PANEL_SERVICE_POST_INITIALIZE = 5,
    PANEL_SERVICE_PRE_UPDATE = 6,
    PANEL_SERVICE_PRE_DRAW = 10,
    PANEL_SERVICE_CONNECT_TO_WINDOW = 14,
    PANEL_SERVICE_DISCONNECT = 15,
};

// Image record an element points at: pixel width and height at offset 4.
struct ImageRecord {
    uint32_t flags;
    int32_t width;
    int32_t height;
    void* pixels;
};

// Element kinds (first word of an element record).
enum ElementKind : uint32_t {
    ELEMENT_STATIC_IMAGE = 0,
    ELEMENT_STRING = 2,
    ELEMENT_MOVING_IMAGE = 3,
    ELEMENT_ICON = 4,
};

// Image flags the module uses.
inline constexpr uint32_t IMAGE_HIDDEN = 0x40000000u;
inline constexpr uint32_t IMAGE_DIRTY = 0x80000000u;

struct ElementHeader;
using ElementList = ElementHeader**; // array of element pointers, entry 0 first

// Value callback of a moving-image element (returns the position value) and
// of a text element (returns its value; may rewrite the element's text).
using ElementValueCallback = double(ORVEX_FSAPI*)(ElementHeader* element);

// One element record. The module reads next_element (40), image_flags (48),
// image (60, static images) and device_context (80); the other words are the
// simulator's. `value_callback` lies past the documented part and is used only
// by the moving-image element of EFS50_EADI.
struct ElementHeader {
    uint32_t kind;            // 0
    uint32_t resource_id;     // 4  bitmap id in the module's resources
    int32_t position_x;       // 8  in the parent's pixels
    int32_t position_y;       // 12
    int32_t offset_x;         // 16
    int32_t offset_y;         // 20
    void* reserved_24[4];     // 24..39
    ElementList next_element; // 40 children; entry 0 is the first child
    void* reserved_44;        // 44
    uint32_t image_flags;     // 48
    void* reserved_52[2];     // 52..59
    ImageRecord* image;       // 60 static image: the drawing surface's size
    void* reserved_64[4];     // 64..79
    void* device_context;     // 80 0 while the simulator has none
    ElementValueCallback value_callback;
    // Text elements: the text the simulator draws (a buffer of text_size
    // bytes the element points at) and the value of its first source variable.
    char* text;
    uint32_t text_size;
    double source_value;
    // Layout facts the module keeps for the stand-in: bitmap size in pixels.
    int32_t bitmap_width;
    int32_t bitmap_height;
};

// Mouse rectangle (11 words).
enum MouseRectKind : uint32_t {
    MOUSE_RECT_EOL = 0,
    MOUSE_RECT_PARENT = 1,
    MOUSE_RECT_CHILD = 2,
    MOUSE_RECT_END_PARENT = 3,
};

inline constexpr uint32_t MOUSE_LEFTSINGLE = 0x20000000u;
inline constexpr uint32_t MOUSE_LEFT_REPEAT = 0x20200000u;
inline constexpr int32_t CURSOR_NONE = -1;
inline constexpr int32_t CURSOR_UPARROW = 1;
inline constexpr int32_t CURSOR_DOWNARROW = 2;
inline constexpr int32_t CURSOR_HAND = 5;

struct PixPoint {
    int32_t x;
    int32_t y;
};

using MouseHandler = int32_t(ORVEX_FSAPI*)(PixPoint* point, uint32_t mouse_flags);

struct MouseRect {
    uint32_t kind;        // 0
    int32_t x, y, w, h;   // 4..19 bitmap pixels; a child is relative to its parent
    int32_t cursor;       // 20
    uint32_t help_id;     // 24
    uint32_t mouse_flags; // 28
    uint32_t event_id;    // 32
    MouseHandler handler; // 36 children only
    void* handler_data;   // 40
};

struct GaugeHeader;
using GaugeCallback = void(ORVEX_FSAPI*)(GaugeHeader* gauge, int32_t service_id, uintptr_t extra);

using GaugeQueryFn = void(ORVEX_FSAPI*)();
using GaugeInstallFn = void(ORVEX_FSAPI*)(void* resource_handle);
using GaugeGenerateFn = void(ORVEX_FSAPI*)(uint32_t phase);

// Gauge header: 26 words on the 32-bit build.
struct GaugeHeader {
    uint32_t version;             // 0  0x320
    const char* name;             // 4
    ElementList elements_list;    // 8
    GaugeQueryFn query;           // 12
    GaugeInstallFn install;       // 16
    GaugeQueryFn initialize;      // 20
    GaugeQueryFn update;          // 24
    GaugeGenerateFn generate;     // 28
    GaugeQueryFn draw;            // 32
    GaugeQueryFn kill;            // 36
    void* reserved1;              // 40
    uint32_t size_x_mm;           // 44 default size, 312
    void* reserved_48[8];         // 48..79
    MouseRect* mouse_rect;        // 80
    GaugeCallback gauge_callback; // 84
    uintptr_t user_data;          // 88
    const char* parameters;       // 92 set by the simulator per instance
    void* reserved_96[2];         // 96..103
};

// Exported import record: id 0xF and the panel-services table address, which
// the simulator writes before the first callback.
struct PanelServices;
struct ImportTable {
    uint32_t import_id;
    PanelServices* panels;
};
// The exported record is itself named ImportTable, which hides the type name
// wherever it is declared; this alias names the type there.
using ImportTableRecord = ImportTable;

using ModuleStartFn = void(ORVEX_FSAPI*)();

struct ModuleLinkage {
    uint32_t module_id;           // 0  0x13
    ModuleStartFn module_init;    // 4
    ModuleStartFn module_deinit;  // 8
    uint32_t flags;               // 12
    uint32_t priority;            // 16
    uint32_t module_version;      // 20 0x900
    GaugeHeader* gauge_table[55]; // 24 54 gauges then a null pointer
};

// The record through which one token variable is read (28 bytes on the
// 32-bit build, fields packed in this order). Packing applies only there: on
// a 64-bit host it would misalign the pointer.
#if ORVEX_ABI32
#pragma pack(push, 4)
#endif
struct ModuleVarBlock {
    uint32_t id;       // 0  token id
    void* var_ptr;     // 4  host-owned; for bound variables the published storage
    uint32_t var_type; // 8  host-owned
    union {            // 12 f64, or a 32-bit integer in the first four bytes
        double n;
        uint32_t u;
        int32_t d;
    } var_value;
    union { // 20 same form; only the speed filter uses it
        double n;
        uint32_t u;
        int32_t d;
    } var_old;
};
#if ORVEX_ABI32
#pragma pack(pop)
#endif

// Types of a registered module variable.
enum ModuleVarType : uint32_t {
    MODULE_VAR_STRING = 0x26,
    MODULE_VAR_INT32 = 0x27,
    MODULE_VAR_FLOAT64 = 0x29,
};

#if ORVEX_ABI32
static_assert(sizeof(ImageRecord) >= 12 && offsetof(ImageRecord, width) == 4);
static_assert(offsetof(ElementHeader, next_element) == 40);
static_assert(offsetof(ElementHeader, image_flags) == 48);
static_assert(offsetof(ElementHeader, image) == 60);
static_assert(offsetof(ElementHeader, device_context) == 80);
static_assert(sizeof(MouseRect) == 44);
static_assert(offsetof(MouseRect, handler) == 36);
static_assert(sizeof(GaugeHeader) == 26 * 4);
static_assert(offsetof(GaugeHeader, size_x_mm) == 44);
static_assert(offsetof(GaugeHeader, mouse_rect) == 80);
static_assert(offsetof(GaugeHeader, gauge_callback) == 84);
static_assert(offsetof(GaugeHeader, parameters) == 92);
static_assert(sizeof(ModuleVarBlock) == 28);
static_assert(offsetof(ModuleVarBlock, var_value) == 12);
static_assert(offsetof(ModuleVarBlock, var_old) == 20);
static_assert(sizeof(ImportTable) == 8);
static_assert(offsetof(ModuleLinkage, gauge_table) == 24);
#endif
