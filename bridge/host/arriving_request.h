#pragma once
// A request's fragments as their batches come in from the DLL. Every slot is
// there from the start, an empty text until its batch arrives, so the driver
// can hold on to any fragment while more arrive.
#include <span>
#include <string>
#include <vector>

#include "bridge/protocol.h"

namespace vl::bridge {

class ArrivingRequest {
public:
    explicit ArrivingRequest(uint32_t count) : fragments_(count), texts_(count) {}

    std::span<const TextFragment> fragments() const { return fragments_; }
    size_t arrived() const { return arrived_; }

    // False, and nothing taken, when the batch is empty or runs past the request's end.
    bool add(std::vector<OwnedFragment>&& batch) {
        if (batch.empty() || batch.size() > fragments_.size() - arrived_) return false;
        for (OwnedFragment& owned : batch) {
            texts_[arrived_] = std::move(owned.text);
            fragments_[arrived_] = owned.fragment;
            fragments_[arrived_].text = texts_[arrived_];
            ++arrived_;
        }
        return true;
    }

private:
    std::vector<TextFragment> fragments_;
    std::vector<std::u16string> texts_;  // never resized: the fragments point into them
    size_t arrived_ = 0;
};

}  // namespace vl::bridge
