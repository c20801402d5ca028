#include "listfile/rc4.h"

#include <utility>

namespace tarvoline {

Rc4::Rc4(const unsigned char* key, std::size_t keyLength) {
    for (std::size_t n = 0; n < state_.size(); ++n)
        state_[n] = static_cast<unsigned char>(n);
    unsigned char j = 0;
    for (std::size_t n = 0; n < state_.size(); ++n) {
        j = static_cast<unsigned char>(j + state_[n] + key[n % keyLength]);
        std::swap(state_[n], state_[j]);
    }
}

void Rc4::Process(unsigned char* data, std::size_t length) {
    for (std::size_t n = 0; n < length; ++n) {
        i_ = static_cast<unsigned char>(i_ + 1);
        j_ = static_cast<unsigned char>(j_ + state_[i_]);
        std::swap(state_[i_], state_[j_]);
        data[n] ^= state_[static_cast<unsigned char>(state_[i_] + state_[j_])];
    }
}

} // namespace tarvoline
