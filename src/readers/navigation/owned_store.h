// Hands a freshly read record to the list that owns it, without leaking it or freeing it twice.
#pragma once

#include <memory>
#include <vector>

namespace k42 {

// Calls store(raw), which appends raw to owner and may throw before or after
// appending (entering a dictionary comes after the append). Ownership passes
// to owner exactly when owner holds the record afterwards; otherwise the
// unique_ptr keeps it and frees it. False when store threw.
template <typename T, typename Owner, typename Store>
bool StoreOwned(std::unique_ptr<T>& record, const std::vector<Owner*>& owner, Store store) {
  T* raw = record.get();
  try {
    store(raw);
  } catch (...) {
    if (!owner.empty() && owner.back() == raw) record.release();
    return false;
  }
  record.release();
  return true;
}

}  // namespace k42
