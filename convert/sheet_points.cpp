#include "convert/sheet_points.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "runtime/numbers.h"

namespace convert {

namespace {

constexpr double kUnitsPerOrigin = 10000.0;  // offset units per second
constexpr double kLargestOrigin = 1e6;       // seconds; units stay below 10^10
constexpr double kUnitTolerance = 1e-3;      // of a unit
constexpr int64_t kOffsetBytes = 8;          // X is a line's first 8 bytes, Y its last 8

}  // namespace

OriginUnits origin_units(double origin) {
  if (!(origin >= 0 && origin < kLargestOrigin)) return {};
  const double scaled = origin * kUnitsPerOrigin;
  const double whole = std::nearbyint(scaled);
  if (!(std::fabs(scaled - whole) <= kUnitTolerance)) return {};
  // One rounding of origin * 10000 - whole: zero only when it is zero.
  return {static_cast<int64_t>(whole), std::fma(origin, kUnitsPerOrigin, -whole) == 0};
}

void SheetPoints::store(int64_t k, rt::BytesView line) {
  Entry& e = entries_[k];
  const Text* old = std::get_if<Text>(&e);
  const size_t replaced = old ? old->size : 0;
  uint32_t x, y;
  if (rt::whole_number(rt::left(line, kOffsetBytes), x) &&
      rt::whole_number(rt::right(line, kOffsetBytes), y)) {
    e = Offsets{x, y};
    live_ -= replaced;
  } else {
    if (texts_.size() + line.size() > std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
    const uint32_t at = static_cast<uint32_t>(texts_.size());
    texts_.append(line);  // first: a failed append leaves the entry as it was
    e = Text{at, static_cast<uint32_t>(line.size())};
    live_ += line.size() - replaced;
    if (texts_.size() >= kSqueezeFrom && texts_.size() > 2 * live_) squeeze();
  }
  if (static_cast<size_t>(k) < known_.size()) known_[static_cast<size_t>(k)] = 0;
}

void SheetPoints::squeeze() {
  std::string kept;
  kept.reserve(live_);
  Entry* const entries = entries_.data();
  for (size_t k = 0; k < entries_.size(); ++k) {
    if (Text* t = std::get_if<Text>(&entries[k])) {
      const uint32_t at = static_cast<uint32_t>(kept.size());
      kept.append(texts_, t->at, t->size);
      t->at = at;
    }
  }
  texts_ = std::move(kept);
}

void SheetPoints::set_x_origin(double seconds) {
  x_ = {seconds, origin_units(seconds)};
  forget_lines();
}

void SheetPoints::set_y_origin(double seconds) {
  y_ = {seconds, origin_units(seconds)};
  forget_lines();
}

char* SheetPoints::keep_line(size_t k) {
  const size_t entries = entries_.size();
  if (k >= entries || no_memory_) return nullptr;
  if (known_.size() != entries) {
    try {
      lines_.reset(new char[entries * kSlot]);
      known_.assign(entries, 0);
    } catch (const std::bad_alloc&) {
      lines_.reset();
      known_.clear();
      no_memory_ = true;
      return nullptr;
    }
  }
  known_[k] = 1;
  return lines_.get() + k * kSlot;
}

void SheetPoints::put_back(Saved saved) {
  entries_ = std::move(saved.entries);
  texts_ = std::move(saved.texts);
  live_ = saved.live;
  forget_lines();
  set_x_origin(saved.x);
  set_y_origin(saved.y);
}

}  // namespace convert
