#include "ui/main/singleinstance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace dawn {
namespace {

const QByteArray kRequest = "show\n";
const QByteArray kAnswer = "shown\n";

}  // namespace

bool PeerIsSameUser(qintptr socketDescriptor) {
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return socketDescriptor >= 0 &&
           ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           size == sizeof peer && peer.uid == ::geteuid();
}

QString InstanceSocketName(const std::string& folder, const PrivateFolder& own) {
    if (own.path.empty()) return {};
    QByteArray identity;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        identity =
            QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
    } else {
        identity = QByteArray::fromStdString(folder);
    }
    const QByteArray digest =
        QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(20);
    return QFile::decodeName(QByteArray::fromStdString(own.path)) +
           QStringLiteral("/dawnhelm-%1-").arg(::geteuid()) + QString::fromLatin1(digest);
}

InstanceServer::InstanceServer(const std::string& folder, const PrivateFolder& own, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = InstanceSocketName(folder, own);
    if (name.isEmpty()) return;  // no private folder: no second start finds this one
    if (!server_->listen(name) && server_->serverError() == QAbstractSocket::AddressInUseError) {
        // Whoever held the folder before ended without removing its socket:
        // the folder lock says nobody runs there now.
        QLocalServer::removeServer(name);
        server_->listen(name);
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!PeerIsSameUser(socket->socketDescriptor())) {
                socket->abort();  // another user's: never answered
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > 64) socket->abort();  // not one of ours
                    return;
                }
                if (socket->readLine(64) == kRequest) {
                    emit showRequested();
                    socket->write(kAnswer);
                    socket->flush();
                }
                socket->disconnectFromServer();
            });
        }
    });
}

bool InstanceServer::listening() const {
    return server_->isListening();
}

bool AskRunningCopyToShow(const std::string& folder, const PrivateFolder& own, int timeoutMs) {
    const QString name = InstanceSocketName(folder, own);
    if (name.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    // Whoever listens there must be this user's own copy.
    if (!PeerIsSameUser(socket.socketDescriptor())) return false;
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    }
    return socket.readLine(64) == kAnswer;
}

}  // namespace dawn
