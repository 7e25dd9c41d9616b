// The keywords of the script language and their codes.
//
// A chunk's token stream stores keywords by code, so these numbers are part of the
// compiled form that every statement, tool and listing reads: codes 5-262 are the
// words of the exposition language, 263-552 the parameter and command names of the
// statistical tools, each run in byte order of the names. Codes 0-4 name nothing
// (0 is "no token"). The list below is the one source of the numbering: an entry's
// code is its position plus 5, ten to a line. Keywords.cpp checks the numbering at
// compile time.
#pragma once

#include <cstddef>
#include <string_view>

// X(identifier) in code order from code 5. The identifier is the keyword itself,
// with a trailing underscore where the keyword is a C++ keyword (and_, if_, ...).
// clang-format off
#define KN_SCRIPT_KEYWORDS(X) \
  /*   5 */ X(absolute) X(add_text) X(after) X(ampersand) X(and_) X(angle) X(answer) X(application) X(arc) X(arrow) \
  /*  15 */ X(as) X(ask) X(at) X(background) X(bands) X(bands_backwards) X(bar) X(before) X(behind) X(black) \
  /*  25 */ X(blinds) X(blinds_backwards) X(blue) X(bold) X(boolean) X(border) X(brown) X(bullet) X(bundle) X(button) \
  /*  35 */ X(button_selected) X(by) X(center) X(check) X(checkbox) X(checked) X(circle) X(clear) X(clear_mark) X(code) \
  /*  45 */ X(color) X(comma) X(corner) X(corner_backwards) X(cos) X(course) X(cream) X(cross) X(cross_backwards) X(dance) \
  /*  55 */ X(dashed) X(decimals) X(default_) X(diagonal) X(diagonal_backwards) X(diamond) X(diamond_backwards) X(direction) X(disable) X(display) \
  /*  65 */ X(div) X(divided_by) X(dkblue) X(dkbrown) X(dkgray) X(dkgreen) X(dkorange) X(dkred) X(dkviolet) X(dotted) \
  /*  75 */ X(down) X(duration) X(ellipse) X(else_) X(enable) X(enabled) X(end) X(equals) X(except) X(exit) \
  /*  85 */ X(expo_size) X(extent) X(face) X(fade) X(false_) X(fixed) X(flash) X(flat) X(flavor) X(focus) \
  /*  95 */ X(frame) X(frequency) X(from) X(goto_) X(gray) X(greater_or_equal) X(greater_than) X(green) X(group) X(grow) \
  /* 105 */ X(hat) X(head) X(hilite) X(hint) X(horizontal) X(hotpink) X(if_) X(in) X(in_out) X(initialize) \
  /* 115 */ X(iris) X(italic) X(item) X(label) X(label_mark) X(launch) X(layer) X(lbracket) X(left) X(length) \
  /* 125 */ X(less_or_equal) X(less_than) X(line) X(literal) X(location) X(lock) X(loop) X(lparen) X(ltblue) X(ltgray) \
  /* 135 */ X(macintosh) X(margin) X(mask) X(minus) X(mod) X(mousedown) X(move) X(movie) X(network) X(newline) \
  /* 145 */ X(noise) X(not_) X(not_equals) X(number) X(numeric) X(of) X(olive) X(or_) X(orange) X(out_in) \
  /* 155 */ X(overlay) X(palindrome) X(pause) X(pending) X(picture) X(pink) X(plain) X(platform) X(plus) X(pointer) \
  /* 165 */ X(power) X(preload) X(preview) X(question) X(radio) X(random) X(rate) X(rbracket) X(real) X(recenter) \
  /* 175 */ X(recolor) X(rectangle) X(red) X(rename) X(repeat) X(repict) X(resize) X(restyle) X(right) X(round) \
  /* 185 */ X(rounded) X(rparen) X(sans) X(sansserif) X(seconds) X(seed) X(selected) X(serif) X(set) X(shift_left) \
  /* 195 */ X(shift_right) X(shimmer) X(show_buttons) X(sin) X(size) X(slash) X(slide) X(smoothing) X(solid) X(sound) \
  /* 205 */ X(sqrt) X(square_root) X(squared) X(string_height) X(string_width) X(stripes) X(stripes_backwards) X(study) X(style) X(subscript) \
  /* 215 */ X(summary) X(superscript) X(symbol) X(telescope) X(telescope_backwards) X(text) X(then) X(ticks) X(times) X(timing_mark) \
  /* 225 */ X(title) X(to) X(toy_size) X(transition) X(transparency) X(true_) X(under) X(underline) X(unlock) X(until) \
  /* 235 */ X(up) X(update) X(value_byte) X(value_char) X(value_float) X(value_long) X(value_short) X(vertical) X(violet) X(visibility) \
  /* 245 */ X(volume) X(wait) X(wedge) X(while_) X(white) X(width) X(windoze) X(wipe) X(with) X(without) \
  /* 255 */ X(wrap) X(x) X(xextent) X(xlocation) X(y) X(yellow) X(yextent) X(ylocation) X(abort) X(add_data) \
  /* 265 */ X(all) X(append) X(average) X(axis) X(axis_label) X(bar_error) X(bar_labels) X(bar_time) X(batches) X(bimodal) \
  /* 275 */ X(binomial) X(bins) X(bisector) X(bool0) X(bool1) X(bottom) X(calculate) X(can_edit) X(cell) X(center_area) \
  /* 285 */ X(central) X(central_pct) X(chart_all) X(chart_bar) X(chart_only) X(chart_pie) X(chart_type) X(chi_squared) X(choose) X(circle_color) \
  /* 295 */ X(circle_hand) X(circle_size) X(circle_target) X(clear_circle) X(color_keywords) X(colored_areas) X(column) X(copy_data) X(correlation) X(count) \
  /* 305 */ X(count_label) X(current) X(data_count) X(data_gathered) X(data_points) X(defective) X(delete_) X(delete_data) X(deselect) X(disable_regenerate) \
  /* 315 */ X(disable_reset) X(divisor) X(dof) X(dof_num) X(done) X(dot_size) X(enter) X(error_diff_prop) X(error_formula) X(error_label) \
  /* 325 */ X(error_mean) X(error_n1) X(error_n2) X(error_none) X(error_pooled) X(error_proportion) X(error_s1) X(error_s2) X(error_two_sample) X(flash_residuals) \
  /* 335 */ X(float0) X(float1) X(float2) X(float3) X(float4) X(float5) X(float6) X(float7) X(float8) X(float9) \
  /* 345 */ X(function) X(graph_count) X(graph_limits) X(graph_type) X(hand) X(hilite_area) X(histo_base) X(histo_range) X(insert) X(insert_probability) \
  /* 355 */ X(int0) X(int1) X(int2) X(int3) X(int4) X(int5) X(int6) X(int7) X(int8) X(int9) \
  /* 365 */ X(intercept) X(interval) X(last_point_x) X(last_point_y) X(left_area) X(left_mark) X(left_tail) X(left_tail_real) X(lock_points) X(lock_slope) \
  /* 375 */ X(lock_statistic) X(lock_zoom) X(mark_tails) X(mean) X(more_values) X(move_data) X(move_prob) X(move_tail) X(normal) X(number_points) \
  /* 385 */ X(offset) X(open) X(overlap) X(percentage) X(percentages) X(pie_error) X(pie_time) X(plot) X(point0) X(point1) \
  /* 395 */ X(point2) X(point3) X(prob_range) X(probability) X(product) X(random_seed) X(range) X(real_units) X(refresh) X(regenerate) \
  /* 405 */ X(repetitions) X(replace) X(reset) X(reveal) X(right_area) X(right_mark) X(right_tail) X(right_tail_real) X(row) X(same_seed) \
  /* 415 */ X(sample) X(sample_types) X(sample_value) X(samples) X(save_data) X(scroll) X(scroll_lock) X(select) X(select_end) X(select_start) \
  /* 425 */ X(shaded_areas) X(shaded_percentage) X(shaded_slices) X(show_animation) X(show_axes) X(show_axes_values) X(show_axis) X(show_axis_values) X(show_bar_area) X(show_batch) \
  /* 435 */ X(show_bin) X(show_bins) X(show_center) X(show_centers) X(show_central) X(show_central_pct) X(show_chi_squared) X(show_code) X(show_connection) X(show_connections) \
  /* 445 */ X(show_control) X(show_controls) X(show_correlation) X(show_count) X(show_density) X(show_dof) X(show_equation) X(show_error) X(show_error_formula) X(show_function) \
  /* 455 */ X(show_graph) X(show_guess) X(show_iqr) X(show_iqr_grf) X(show_label) X(show_labels) X(show_least_squares) X(show_left_tail) X(show_line) X(show_log_scale) \
  /* 465 */ X(show_machine) X(show_marked) X(show_mean) X(show_mean_grf) X(show_median) X(show_median_grf) X(show_midrange) X(show_midrange_grf) X(show_number) X(show_outside) \
  /* 475 */ X(show_plot) X(show_plot_rotated) X(show_probability) X(show_process) X(show_range) X(show_range_grf) X(show_real_units) X(show_repetitions) X(show_residuals) X(show_right_tail) \
  /* 485 */ X(show_sigma) X(show_spreads) X(show_starting_button) X(show_statistic) X(show_std_dev) X(show_std_dev_grf) X(show_sum) X(show_table) X(show_table_type) X(show_tail) \
  /* 495 */ X(show_tail_prob) X(show_trial) X(show_trials) X(show_trimmed_mean) X(show_trimmed_mean_grf) X(show_units) X(show_value) X(show_x_zero) X(show_zscore) X(sigma) \
  /* 505 */ X(skewed) X(slices) X(slope) X(spacing) X(speed) X(start) X(stat_iqr) X(stat_max) X(stat_mean) X(stat_median) \
  /* 515 */ X(stat_min) X(stat_std_dev) X(statistic) X(std_dev) X(symmetry) X(t_dist) X(table_chi_squared) X(table_columns) X(table_counts) X(table_f) \
  /* 525 */ X(table_normal) X(table_percentages) X(table_rows) X(table_t) X(table_type) X(tail) X(tail_prob) X(text0) X(text1) X(text2) \
  /* 535 */ X(text3) X(text4) X(text5) X(text6) X(text7) X(text8) X(text9) X(token_data) X(top) X(trials) \
  /* 545 */ X(trim_amount) X(uniform) X(use_pooled_p) X(values) X(word) X(word_wrap) X(x_axis) X(y_axis) \
  /* 552 is the last */
// clang-format on

namespace kw {

enum KeywordCode : int {
  none = 0,
  before_first_ = 4,  // the list counts on from here
#define KN_KEYWORD_ENUM(id) id,
  KN_SCRIPT_KEYWORDS(KN_KEYWORD_ENUM)
#undef KN_KEYWORD_ENUM
      after_last_
};

}  // namespace kw

constexpr int kFirstKeyword = 5;
constexpr int kLastKeyword = kw::after_last_ - 1;                // 552
constexpr int kKeywordCount = kLastKeyword - kFirstKeyword + 1;  // 548
constexpr int kLastLanguageKeyword = 262;                        // codes above name tool parameters and commands
constexpr std::size_t kLongestKeyword = 21;                      // letters in the longest name

// The name of a keyword code (lower case), empty for codes that name no keyword.
std::string_view KeywordName(int code);
