// What a step of the core gives back when it may be refused: success, or the
// French sentence that tells the user why nothing was done.
#pragma once

#include <string>
#include <utility>

namespace ortix {

class [[nodiscard]] Resultat {
  public:
    // Success.
    Resultat() = default;
    // A refusal and its reason, a whole French sentence.
    static Resultat Refus(std::string raison) {
        Resultat r;
        r.refuse_ = true;
        r.message_ = std::move(raison);
        return r;
    }

    bool ok() const { return !refuse_; }
    explicit operator bool() const { return !refuse_; }
    const std::string& message() const { return message_; }

  private:
    bool refuse_ = false;
    std::string message_;
};

} // namespace ortix
