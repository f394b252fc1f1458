// Where the floor program puts its window and its fields, shared by the floor
// and by the benchmark that types into it.
#pragma once

namespace stk::e2e::floor {

// The same size as the calculator's window, so that both draw as many pixels.
inline constexpr int window_width = 929;
inline constexpr int window_height = 495;

inline constexpr int field_count = 40;
inline constexpr int columns = 4;
inline constexpr int field_width = 73;
inline constexpr int field_height = 19;

inline constexpr int field_left(int index) { return 20 + (index % columns) * 220; }
inline constexpr int field_top(int index) { return 20 + (index / columns) * 45; }

// Typing into the source field sets the target field's text.
inline constexpr int source_field = 0;
inline constexpr int target_field = 1;
inline constexpr const char* initial_text = "10000";

}  // namespace stk::e2e::floor
