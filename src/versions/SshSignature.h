// Signatures over bytes with OpenSSH keys, made and checked by ssh-keygen -Y in git's namespace,
// so that git itself accepts them (gpg.format=ssh) and a host trusts an allowed-signers file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorela {

/// The armored signature ("-----BEGIN SSH SIGNATURE-----" ...) of payload, made with the private
/// key in keyFile in git's namespace ("git"), as `git verify-commit` checks it; false with the
/// reason.
[[nodiscard]] bool signWithSshKey(std::string_view payload, const std::filesystem::path &keyFile,
                                  std::string &signature, std::string &error);

enum class SignatureVerdict { Trusted, Unsigned, Untrusted, Invalid };

struct SignatureCheck {
    SignatureVerdict verdict = SignatureVerdict::Invalid;
    std::string signer; // the principal of the allowed-signers file, when Trusted
    std::string detail; // why it is not trusted, in English, for the operator
};

/// Checks signature of payload against an OpenSSH allowed-signers file (principals, optional
/// options, key type, key). False with error only when the check could not run (file missing
/// or unreadable, ssh-keygen missing): a check that could not look never reads as a verdict.
[[nodiscard]] bool checkSshSignature(std::string_view payload, std::string_view signature,
                                     const std::filesystem::path &allowedSigners,
                                     SignatureCheck &check, std::string &error);

} // namespace vorela
