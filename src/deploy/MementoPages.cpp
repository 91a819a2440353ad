#include "deploy/MementoPages.hpp"

#include <algorithm>

std::int32_t MementoPages::lastPage(std::int32_t count)
{
    return count <= 0 ? 0 : (count - 1) / perPage;
}

std::int32_t MementoPages::next(std::int32_t page, std::int32_t count)
{
    return std::clamp(page + 1, 0, lastPage(count));
}

std::int32_t MementoPages::previous(std::int32_t page)
{
    return std::max(page - 1, 0);
}
