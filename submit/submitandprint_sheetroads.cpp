#include "submit/submitandprint.h"

#include "core/backendreply.h"

// The thumbnail sheet road and the express sheet road of the submission dialog.

void SubmitandPrint::on_pushButton_thumbnail_clicked()
{
}

void SubmitandPrint::postQueryThumbnailEmsInfo()
{
}

void SubmitandPrint::queryInfoThumbnailEmsCallBack(const BackendReply&)
{
}

void SubmitandPrint::postPrintThumbnailSumInfo()
{
}

void SubmitandPrint::queryPostThumbnailCallBack(const BackendReply&)
{
}

void SubmitandPrint::postQueryOrderThumbnailInfo()
{
}

void SubmitandPrint::queryOrderThumbnailInfoCallBack(const BackendReply&)
{
}

void SubmitandPrint::on_pushButtonEMS_clicked()
{
}

void SubmitandPrint::postQueryPartEmsInfo()
{
}

void SubmitandPrint::queryInfoPartEmsCallBack(const BackendReply&)
{
}

void SubmitandPrint::postPrintEmsInfo()
{
}

void SubmitandPrint::queryPostEmsCallBack(const BackendReply&)
{
}

void SubmitandPrint::postQueryPrintEmsInfo()
{
}

void SubmitandPrint::postQueryInfo()
{
}

void SubmitandPrint::queryInfoCallBack(const BackendReply&)
{
}
