// What a step of the core gives back when it may be refused: success, or the
// French sentence that tells the user why nothing was done.
#pragma once

#include <new>
#include <stdexcept>
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

// Runs a step of the core where a user's action enters it. Memory running out
// (an allocation refused, a text beyond the greatest size) becomes a refusal
// that says so in French, never the library's English text; the steps change
// nothing before they succeed, and the files are written last.
template <class Etape> Resultat Proteger(Etape&& etape) {
    try {
        return std::forward<Etape>(etape)();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return Resultat::Refus(
        "Mémoire insuffisante : l'opération est abandonnée, aucun fichier n'a été modifié.");
}

} // namespace ortix
