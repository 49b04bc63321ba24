#pragma once
// Clean-up of the vectors of owned pointers used across the program.
#include <vector>

namespace ZorvaneEngine {

// Deletes every non-null element (through its virtual destructor) and empties
// the vector.
template <typename T>
void DeleteAll(std::vector<T*>& items)
{
    for (T* item : items) delete item;
    items.clear();
}

// The same for a vector of owned vectors.
template <typename T>
void DeleteAllVectors(std::vector<std::vector<T>*>& items)
{
    for (std::vector<T>* item : items) delete item;
    items.clear();
}

} // namespace ZorvaneEngine
