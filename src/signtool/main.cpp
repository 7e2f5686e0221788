// vorela-sign: makes certifying keys and certifies greeting phrase sounds with them.
//   vorela-sign keygen KEY.pem KEY.pub
//   vorela-sign sign KEY.pem IN.wav OUT.wav
#include "soundbank/LexemeReader.h"
#include "soundbank/WavExport.h"
#include "verification/GreetingCertificate.h"
#include "verification/RsaKey.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

static constexpr unsigned GeneratedKeyBits = 2048;

static int failure(const std::string &message)
{
    std::cerr << "vorela-sign: " << message << '\n';
    return 1;
}

static int usage()
{
    std::cerr << "usage: vorela-sign keygen KEY.pem KEY.pub\n"
                 "       vorela-sign sign KEY.pem IN.wav OUT.wav\n";
    return 1;
}

static bool writeFile(const std::string &file, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char *>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    stream.close();
    return static_cast<bool>(stream);
}

static int keygen(const std::string &privateFile, const std::string &publicFile)
{
    const std::optional<RsaKey> key = RsaKey::generate(GeneratedKeyBits);
    if (!key)
        return failure("cannot generate an RSA key");
    const std::vector<std::uint8_t> blob = key->publicKeyBlob();
    if (blob.empty())
        return failure("cannot encode the public key");
    if (!key->savePrivateKey(privateFile))
        return failure(privateFile + ": cannot create (an existing key is never overwritten)");
    if (!writeFile(publicFile, blob))
        return failure(publicFile + ": cannot write the public key blob");
    return 0;
}

static int sign(const std::string &privateFile, const std::string &inFile,
                const std::string &outFile)
{
    const std::optional<RsaKey> key = RsaKey::loadPrivateKey(privateFile);
    if (!key)
        return failure(privateFile + ": expected an RSA private key of 384 to 16384 bits in PEM");
    LexemeSound sound = readLexeme(inFile, "data", FormatCheck::BankFormat);
    if (!sound.ok())
        return failure(inFile + ": not a WAV file of PCM mono 8000 Hz 16-bit sound (" +
                       std::string(describeLexemeError(sound.error)) + ")");
    const std::size_t neededSamples =
        soundBytesForPayload(certificatePayloadBytes(key->bits())) / 2;
    if (sound.samples.size() < neededSamples)
        return failure(inFile + ": too short to carry the certificate (" +
                       std::to_string(sound.samples.size()) + " samples, at least " +
                       std::to_string(neededSamples) + " needed)");
    if (!certifySound(sound.samples, *key))
        return failure("cannot sign the sound with " + privateFile);
    if (!exportWav(outFile, sound.samples))
        return failure(outFile + ": cannot write");
    return 0;
}

static int run(const std::vector<std::string> &arguments)
{
    if (arguments.size() == 3 && arguments[0] == "keygen")
        return keygen(arguments[1], arguments[2]);
    if (arguments.size() == 4 && arguments[0] == "sign")
        return sign(arguments[1], arguments[2], arguments[3]);
    return usage();
}

} // namespace vorela

int main(int argc, char **argv)
{
    return vorela::run(std::vector<std::string>(argv + 1, argv + argc));
}
