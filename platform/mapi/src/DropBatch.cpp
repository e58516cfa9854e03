#include "DropBatch.h"

#include "Delivery.h"

#include <system_error>

namespace pollenta::mapi {

bool CDropBatch::Accepts(const CFolderPath::Found& target) const
{
    return m_files.empty() || (target.store == m_target.store && target.folder == m_target.folder);
}

void CDropBatch::Add(const CFolderPath::Found& target, const std::filesystem::path& file,
                     const std::filesystem::path& claimed, std::vector<BYTE> mime)
{
    m_target = target;
    m_files.push_back({file, claimed, std::move(mime)});
}

void CDropBatch::Deliver(std::exception_ptr& first)
{
    bool delivered = false;
    if (m_files.size() > 1) {
        try {
            Store(m_files);
            delivered = true;
        } catch (...) {
            // Nothing of the batch was stored: each file is tried alone.
        }
    }
    for (std::size_t i = 0; !delivered && i < m_files.size(); ++i) {
        try {
            Store(std::span(m_files).subspan(i, 1));
        } catch (...) {
            m_drop.Return(m_files[i].claimed);
            if (!first) first = std::current_exception();
        }
    }
    m_files.clear();
}

void CDropBatch::Store(std::span<const File> files) const
{
    std::vector<std::span<const BYTE>> mimes;
    for (const File& file : files) mimes.emplace_back(file.mime);
    CDelivery::DeliverAll(*m_target.store, m_target.folder, mimes);
    // Delivered: a file that cannot be removed now must not be delivered a
    // second time by a retry of this batch, so no failure leaves here.
    for (const File& file : files) {
        std::error_code error;
        std::filesystem::remove(file.claimed, error);
        m_drop.Delivered(file.name);
    }
}

}  // namespace pollenta::mapi
