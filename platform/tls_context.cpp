// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tls_context.h"

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace kavo::tls {
namespace {

using SharedEnding = std::shared_ptr<Ending>;

// The context owns its reference to the Ending through ex-data, so neither
// side has to know when the other goes: curl frees the context with the
// connection, whenever that is.
void freeEnding(void* /*parent*/, void* pointer, CRYPTO_EX_DATA* /*data*/, int /*index*/, long /*argl*/,
                void* /*argp*/)
{
    delete static_cast<SharedEnding*>(pointer);
}

int endingIndex()
{
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, &freeEnding);
    return index;
}

// `value` of an alert holds its level in the high byte and its description in the low byte.
void onStateChange(const SSL* ssl, int where, int value)
{
    if ((where & SSL_CB_ALERT) == 0 || (where & SSL_CB_READ) == 0 || (value & 0xff) != SSL_AD_CLOSE_NOTIFY) return;
    if (auto* ending = static_cast<SharedEnding*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), endingIndex()))) {
        (*ending)->closeNotifyReceived = true;
    }
}

} // namespace

void trustCertificates(void* sslContext, std::string_view pem)
{
    auto* context = static_cast<SSL_CTX*>(sslContext);
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    if (bio == nullptr) return;
    X509_STORE* store = SSL_CTX_get_cert_store(context);
    while (X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr)) {
        X509_STORE_add_cert(store, certificate);
        X509_free(certificate);
    }
    BIO_free(bio);
    ERR_clear_error(); // the read that found no further certificate leaves an error behind
}

void prepareContext(void* sslContext, std::shared_ptr<Ending> ending, std::string_view extraTrustedPem)
{
    auto* context = static_cast<SSL_CTX*>(sslContext);
    auto* held = new SharedEnding(std::move(ending));
    if (SSL_CTX_set_ex_data(context, endingIndex(), held) != 1) {
        delete held; // the ending then never learns of a close_notify: the body counts as cut
    } else {
        SSL_CTX_set_info_callback(context, &onStateChange);
    }
    if (!extraTrustedPem.empty()) trustCertificates(context, extraTrustedPem);
}

} // namespace kavo::tls
