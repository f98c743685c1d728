// The module's state as it stands before the first test, put back before
// each test (test_environment.cpp), so that a test program run whole gives
// every test the fresh module that a process of its own would.
#pragma once

#include "fms/plan_builder.h"
#include "fms/units/plan_cursor.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

class ModuleStateKeeper {
  public:
    // Keeps a copy of `variable` to put back on restore(); a variable that
    // cannot be assigned is left alone.
    template <class T> void operator()(T& variable) {
        if constexpr (assignable<T>()) {
            auto kept = std::make_shared<Copy<T>>();
            assign(kept->value, variable);
            restores_.push_back([&variable, kept] { assign(variable, kept->value); });
        }
    }
    // A cursor keeps its index: the cursor stays on its plan, put back
    // after the plans so that it stands on the entry at that index.
    void operator()(PlanCursor& cursor) {
        const int kept = cursor.held_index();
        cursor_restores_.push_back([&cursor, kept] { cursor.move_to(kept); });
    }
    // A plan is put back as it was, beside the edit path: no cursor follows.
    void operator()(RoutePlan& plan) {
        auto kept = std::make_shared<RoutePlan>(plan);
        restores_.push_back([&plan, kept] { PlanBuilder::copy(plan, *kept); });
    }
    void operator()(FlownPlan& plan) { (*this)(PlanBuilder::laid(plan)); }
    // The TO is put back where it stood.
    void operator()(FlownTo& to) {
        const int index = to.index();
        const GeoPosition at = to.position();
        restores_.push_back([index, at] {
            PlanBuilder::set_to(index);
            PlanBuilder::set_to_position(at);
        });
    }
    void restore() const {
        for (const auto& r : restores_)
            r();
        for (const auto& r : cursor_restores_)
            r();
    }

  private:
    template <class T> struct Copy { T value{}; };
    template <class T> static constexpr bool assignable() {
        // An array declared without its bound cannot be copied: left alone.
        if constexpr (std::is_array_v<T>)
            return std::extent_v<T> > 0 && assignable<std::remove_extent_t<T>>();
        else
            return !std::is_const_v<T> && std::is_copy_assignable_v<T> && std::is_default_constructible_v<T>;
    }
    template <class T> static void assign(T& to, const T& from) {
        if constexpr (std::is_array_v<T>) {
            for (std::size_t i = 0; i < std::extent_v<T>; ++i)
                assign(to[i], from[i]);
        } else {
            to = from;
        }
    }
    std::vector<std::function<void()>> restores_;
    std::vector<std::function<void()>> cursor_restores_;
};

// Written by module_state_reset.py: keeps every mutable namespace-scope
// variable that a module header declares.
void keep_module_state(ModuleStateKeeper& keep);
