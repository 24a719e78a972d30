#pragma once
// The keypad without its window: a value split into up to three whole-number
// fields and a hemisphere letter, the checks on OK with their error codes,
// and the recombination into one value. A window only shows this state and
// routes keys and clicks to it.

#include <array>
#include <cassert>
#include <string>

#include "core/DateTime.h"
#include "core/Interaction.h"

namespace velmar {

/// Error codes of the checks on OK; the word shown is "Verifica " + word.
enum KeypadError : int {
    kKeypadOk = 0,
    kErrDegrees = 1,      ///< "GRADI", first field
    kErrMinutes = 2,      ///< "PRIMI", second field
    kErrSign = 3,         ///< "SEGNO", hemisphere button
    kErrHours = 4,        ///< "ORE", first field
    kErrTimeMinutes = 5,  ///< "MINUTI", second field
    kErrSeconds = 6,      ///< "SECONDI", third field
    kErrDay = 7,          ///< "GIORNO", first field
    kErrMonth = 8,        ///< "MESE", second field
    kErrYear = 9,         ///< "ANNO", third field
    kErrValue = 10,       ///< "VALORE", first field
    kErrZero = 11,        ///< "VALORE", first field, and a message box
};

/// The word of an error code ("GRADI" ...); empty for kKeypadOk.
std::string KeypadErrorWord(int code);

/// Where the cursor goes after a failed check: fields 0 to 2, or the
/// hemisphere button for code 3.
inline constexpr int kHemisphereButton = 3;
/// The field (0, 1, 2) or kHemisphereButton that receives the cursor after
/// the check of `code` failed; 0 for kKeypadOk and unknown codes.
int KeypadErrorField(int code);

/// Limits of one spin field: lower, upper, most digits.
struct FieldLimits {
    int lower = 0;
    int upper = 0;
    int digits = 0;
};

/// How a press of OK ended.
enum class KeypadClose {
    Accepted,   ///< checks passed, value changed: true result
    Unchanged,  ///< modify mode and nothing changed: false result, value kept
    Refused,    ///< a check failed: the window stays open
};

class KeypadLogic {
  public:
    /// Opens the keypad for a request: loads the fields from its value. An
    /// empty date (before 1 January 1900) opens on `today`.
    KeypadLogic(const KeypadRequest& request, CivilDate today);

    const KeypadRequest& request() const { return request_; }
    QuantityKind kind() const { return request_.kind; }
    bool insertMode() const { return request_.insert; }
    /// 1 to 3 fields by kind; the hemisphere only for latitudes and longitudes.
    int FieldCount() const;
    bool HasHemisphere() const;
    FieldLimits Limits(int field) const;
    std::string FieldCaption(int field) const;

    /// A field's number; `field` is 0..2 (the window's three spin boxes).
    int Field(int field) const {
        assert(field >= 0 && field < static_cast<int>(fields_.size()));
        return fields_[field];
    }
    int LoadedField(int field) const {
        assert(field >= 0 && field < static_cast<int>(loaded_.size()));
        return loaded_[field];
    }
    /// 'N', 'S', 'E', 'W' or 0 for none.
    char Hemisphere() const { return hemisphere_; }
    bool FirstFieldEdited() const { return firstEdited_; }

    /// A field set from its spin box: brought inside the field's limits.
    void SetField(int field, int number);
    /// A field typed as it is, as a script does; out-of-limit numbers are
    /// refused on OK with the code of the check on that field.
    void TypeField(int field, int number);
    /// The hemisphere button: N <-> S for latitudes, E <-> W for longitudes
    /// (no letter becomes N or E).
    void ToggleHemisphere();
    /// Whether the letter key `key` ('N', 'S', 'E', 'W') presses the
    /// hemisphere button: on a latitude N when the letter is S and S when it
    /// is N, on a longitude E and W likewise; with no letter shown, never.
    bool LetterKeyToggles(char key) const;
    /// Sets the letter directly (0, or a letter of the kind's pair).
    void SetHemisphere(char letter);
    /// "Reset": the loaded fields and letter back.
    void Reset();

    /// "Tastierino: Inserimento" or "Tastierino: Modifica".
    std::string WindowCaption() const;
    /// The text of the value line: the loaded value's display text; after a
    /// failed check "Verifica " and the word, until the first field changes,
    /// which shows "Nuovo valore" (insert mode) or the loaded display text.
    const std::string& Text() const { return text_; }
    /// The loaded value's display text ("44° 24' 00\" Nord", "7.5", "08:00:00").
    const std::string& DisplayText() const { return display_; }

    /// The checks in their order and the recombined value; `code` is
    /// kKeypadOk when every check passed.
    struct Result {
        int code = kKeypadOk;
        double value = 0;
    };
    Result Recombine() const;

    /// OK pressed. On a failed check the text shows the word (code 11 also
    /// shows its message) and Refused is returned. In modify mode a value
    /// that differs from the loaded one by less than 0.000001, or fields
    /// nobody touched, give Unchanged. Otherwise `schemeSaved` is cleared,
    /// `value` receives the new value and Accepted is returned.
    KeypadClose PressOk(MessageSink& messages, bool& schemeSaved, double& value);
    int LastError() const { return lastError_; }

  private:
    void Load();
    std::string RememberedCaption() const;
    int FieldErrorCode(int field) const;
    double IntervalValue() const;

    KeypadRequest request_;
    CivilDate today_;
    std::array<int, 3> fields_{};
    std::array<int, 3> loaded_{};
    char hemisphere_ = 0;
    char loadedHemisphere_ = 0;
    bool firstEdited_ = false;
    bool touched_ = false;
    bool secondTouched_ = false;
    /// The interval's loaded fraction in thousandths: a stored 2.05 loads its
    /// second field as 50, which the recombination rule reads as 0.5.
    int loadedThousandths_ = 0;
    std::string display_;
    std::string text_;
    int lastError_ = kKeypadOk;
};

/// Today's date on the system clock (local time).
CivilDate SystemToday();

}  // namespace velmar
