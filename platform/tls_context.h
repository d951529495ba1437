// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>

// What the HTTP clients add to OpenSSL's set-up of each TLS connection.
namespace kavo::tls {

/// What one TLS connection saw of its own end.
struct Ending {
    /// The peer said it had sent everything (a close_notify alert). Without
    /// it, a connection that just stops cannot be told from one that was cut.
    bool closeNotifyReceived = false;
};

/// Prepares the OpenSSL context (an `SSL_CTX*`) of one new connection:
/// `ending` learns of the peer's close_notify (it is kept alive as long as the
/// context needs it), and the PEM certificates in `extraTrustedPem` are
/// trusted besides the system's authorities.
void prepareContext(void* sslContext, std::shared_ptr<Ending> ending, std::string_view extraTrustedPem);

/// Trusts the PEM certificates in `pem` besides the system's authorities, in
/// the OpenSSL context (an `SSL_CTX*`) of one new connection.
void trustCertificates(void* sslContext, std::string_view pem);

} // namespace kavo::tls
