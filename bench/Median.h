// The median of a set of samples: the figure the table shows for repeated
// measurements, as it is not moved by one run that another program slowed.
#pragma once
#include <algorithm>
#include <vector>

template <class T>
T Median(std::vector<T> samples)
{
    if (samples.empty())
        return T();
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    if (samples.size() % 2 == 1)
        return samples[middle];
    return (samples[middle - 1] + samples[middle]) / 2;
}
