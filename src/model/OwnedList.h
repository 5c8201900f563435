// The typed record lists of the model own their records; queries hand out plain observer pointers.
#pragma once

#include <memory>
#include <vector>

namespace k42 {

template <typename T>
using OwnedList = std::vector<std::unique_ptr<T>>;

// The records of owned, in list order, as pointers that stay owned by the list.
template <typename T>
void CopyObservers(const OwnedList<T>& owned, std::vector<T*>& observers) {
  observers.clear();
  observers.reserve(owned.size());
  for (const auto& record : owned) observers.push_back(record.get());
}

}  // namespace k42
