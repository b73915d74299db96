// mail.dat and the decoding of its address.
#include "app/apperror.h"
#include "app/textcodec.h"
#include "fuzzcheck.h"
#include "project/contactstore.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ContactStore store;
    try {
        store = parseContactStore(QByteArrayView(data, qsizetype(size)));
    } catch (const AppError &) {
        return 0;
    }
    FUZZ_CHECK(!store.address.startsWith(u' ') && !store.address.endsWith(u' '));
    try {
        const QString decoded = mail_decrypt(store.address);
        // A decoded address encodes to references that decode to it again.
        FUZZ_CHECK(mail_decrypt(mail_encrypt(decoded)) == trimBlanks(decoded));
        addressForEditor(store);
    } catch (const AppError &e) {
        FUZZ_CHECK(e.description().size() < 200);
    }
    return 0;
}
